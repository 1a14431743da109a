// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/KeyFile.h"

#include "grading/KeyRules.h"
#include "settings/KeyFileText.h"
#include "settings/SaveRoute.h"
#include "settings/WholeFile.h"
#include "settings/modFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace settings {

namespace {

// A character that a message would show as nothing stands there as a sign: a tab as "⇥".
QString visible(QString text) {
    for (QChar& c : text) {
        if (c == u'\t') {
            c = QChar(0x21E5);
        } else if (!c.isPrint()) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

// A key as its lines give it, before the rules for a whole key are asked.
struct Draft {
    QString name;
    int nameLine = 0;
    std::vector<grading::Grade> grades; // without their bounds, which the scale reads
    std::vector<QString> boundTexts;
    std::vector<int> gradeLines;
    std::optional<grading::Scale> scale;
    std::optional<QString> weak;
    int weakLine = 0;
    std::optional<grading::ApprovalLimit> approval;
    int approvalLine = 0;
    QString problem; // the one its earliest line showed, with the line
    int problemLine = 0;

    void refuse(int line, const QString& why) {
        if (!why.isEmpty() && (problem.isEmpty() || line < problemLine)) {
            problem = QStringLiteral("Zeile %1: %2").arg(line).arg(why);
            problemLine = line;
        }
    }
};

// „skala=Punkte“, „skala=Fehler“ oder „skala=Fehler je 100 Wörter“.
QString scaleChoice() {
    QStringList lines;
    for (grading::Scale scale : grading::allScales) {
        lines << QStringLiteral("„skala=%1“").arg(grading::scaleName(scale));
    }
    const QString last = lines.takeLast();
    return lines.join(QStringLiteral(", ")) + QStringLiteral(" oder ") + last;
}

QString atLine(int line, const QString& problem) {
    return QStringLiteral("Zeile %1: %2").arg(line).arg(problem);
}

// One grade line, "text;bound;value", into the draft.
void readGrade(Draft& draft, const QString& line, int number) {
    QStringList parts = line.split(u';');
    for (QString& part : parts) {
        part = withoutBlanks(part);
    }
    // A setting that stands before a grade is named at its own line, the earlier of the two: it is
    // what is out of place.
    const bool weakFirst = draft.weak && (!draft.approval || draft.weakLine < draft.approvalLine);
    if (draft.weak || draft.approval) {
        draft.refuse(weakFirst ? draft.weakLine : draft.approvalLine,
                     QStringLiteral("Die Noten stehen vor „%1=“.")
                         .arg(weakFirst ? grading::weakSetting : grading::approvalSetting));
        return;
    }
    QString problem;
    if (parts.size() != 3) {
        problem = QStringLiteral("Eine Note steht als „Note;ab;Wert“ in einer Zeile.");
    } else if (problem = grading::whyNotAGradeText(parts[0]); problem.isEmpty()) {
        problem = grading::whyNotAValue(parts[2]);
    }
    if (!problem.isEmpty()) {
        draft.refuse(number, problem);
        return;
    }
    draft.grades.push_back({parts[0], std::nullopt, *grading::valueFromFileText(parts[2])});
    draft.boundTexts.push_back(parts[1]);
    draft.gradeLines.push_back(number);
}

// The bounds as the key's scale reads them, wherever its line stands.
void readBounds(Draft& draft) {
    const grading::Scale scale = draft.scale.value_or(grading::Scale::Points);
    for (std::size_t grade = 0; grade < draft.grades.size(); ++grade) {
        const QString& text = draft.boundTexts[grade];
        if (text.isEmpty()) {
            continue;
        }
        const auto hundredths = grading::boundFromFileText(text, scale);
        if (!hundredths) {
            draft.refuse(draft.gradeLines[grade], grading::whyNotABound(text, scale));
            return;
        }
        draft.grades[grade].bound = grading::boundFromHundredths(*hundredths);
    }
}

// The draft as a key, or the reason it is refused.
QString finish(Draft draft, KeyFileContent& content) {
    readBounds(draft);
    if (!draft.problem.isEmpty()) {
        return draft.problem;
    }
    const grading::Scale scale = draft.scale.value_or(grading::Scale::Points);
    if (const QString problem =
            grading::whyNotAKeyName(draft.name, grading::takenNames(content.keys));
        !problem.isEmpty()) {
        return atLine(draft.nameLine, problem);
    }
    if (const grading::KeyProblem broken = grading::whyNotAKey(draft.grades, scale);
        !broken.problem.isEmpty()) {
        const int line = broken.grade < draft.gradeLines.size() ? draft.gradeLines[broken.grade]
                                                                : draft.nameLine;
        return atLine(line, broken.problem);
    }
    grading::GradingKey key{draft.name, draft.grades, std::nullopt, {}, {}, {}};
    if (draft.weak) {
        const auto weak =
            std::find_if(draft.grades.begin(), draft.grades.end(),
                         [&](const grading::Grade& g) { return g.text == *draft.weak; });
        if (weak == draft.grades.end()) {
            return atLine(draft.weakLine,
                          QStringLiteral("„schwach ab=%1“ nennt keine Note dieses Schlüssels.")
                              .arg(*draft.weak));
        }
        key.firstWeak = static_cast<std::size_t>(weak - draft.grades.begin());
    }
    if (const QString why = grading::whyNoApproval(draft.approval, key.firstWeak); !why.isEmpty()) {
        return atLine(draft.approvalLine,
                      QStringLiteral("„genehmigung=“ braucht „schwach ab=“: %1.").arg(why));
    }
    key.approval = draft.approval;
    key.scale = scale;
    content.keys.push_back(grading::withOwnHeadings(std::move(key)));
    return {};
}

} // namespace

QString keyFilePath(const QString& settingsPath) {
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("Zensulino-Notenschlüssel.txt"));
}

namespace {

KeyFileContent parse(const QString& text, const std::vector<int>& unreadable) {
    const QString unreadableLine =
        QStringLiteral("Die Zeile ist weder in UTF-8 noch in Windows-1252 geschrieben.");
    KeyFileContent content;
    std::optional<Draft> draft;
    auto refuse = [&](const QString& problem) {
        content.problems << visible(problem);
    };
    auto close = [&] {
        if (draft) {
            if (const QString problem = finish(*draft, content); !problem.isEmpty()) {
                refuse(QStringLiteral("„%1“, %2").arg(draft->name, problem));
            }
        }
    };
    const QStringList lines = text.split(u'\n');
    for (int index = 0; index < lines.size(); ++index) {
        const QString line = lineAsRead(lines[index]);
        const int number = index + 1;
        if (countsForNothing(line)) {
            continue;
        }
        const bool readable = !std::binary_search(unreadable.begin(), unreadable.end(), number);
        if (line.startsWith(u'[')) {
            close();
            draft = Draft{};
            draft->name = keyNameOf(line);
            draft->nameLine = number;
            if (!line.endsWith(u']')) {
                draft->refuse(number, QStringLiteral("Ein Name steht in eckigen Klammern: "
                                                     "„[Name]“."));
            }
            if (!readable) {
                draft->refuse(number, unreadableLine);
            }
            continue;
        }
        if (!draft) {
            refuse(atLine(number, readable ? QStringLiteral("Vor dem ersten Notenschlüssel "
                                                            "(„[Name]“) stehen nur Kommentare "
                                                            "(„#“).")
                                           : unreadableLine));
            continue;
        }
        if (!readable) {
            draft->refuse(number, unreadableLine);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && withoutBlanks(line.left(equals)) == grading::weakSetting) {
            if (draft->weak) {
                draft->refuse(number, QStringLiteral("„schwach ab=“ steht zweimal im Schlüssel."));
            }
            draft->weak = withoutBlanks(line.mid(equals + 1));
            draft->weakLine = number;
            continue;
        }
        if (equals > 0 && withoutBlanks(line.left(equals)) == grading::approvalSetting) {
            const grading::ApprovalRead read =
                grading::approvalFromFileText(withoutBlanks(line.mid(equals + 1)));
            const QString problem =
                draft->approval ? QStringLiteral("„genehmigung=“ steht zweimal im Schlüssel.")
                                : read.problem;
            draft->refuse(number, problem);
            draft->approval = read.limit;
            draft->approvalLine = number;
            continue;
        }
        if (equals > 0 && withoutBlanks(line.left(equals)) == grading::scaleSetting) {
            const QString name = withoutBlanks(line.mid(equals + 1));
            const std::optional<grading::Scale> scale = grading::scaleNamed(name);
            const QString problem =
                draft->scale ? QStringLiteral("„skala=“ steht zweimal im Schlüssel.")
                : !scale
                    ? QStringLiteral("„skala=%1“ nennt keine Skala: %2.").arg(name, scaleChoice())
                    : QString();
            draft->refuse(number, problem);
            draft->scale = scale.value_or(grading::Scale::Points);
            continue;
        }
        readGrade(*draft, line, number);
    }
    close();
    return content;
}

} // namespace

KeyFileContent parseKeyFile(const QString& text) {
    return parse(text, {});
}

KeyFileContent parseKeyFile(const KeyFileText& file) {
    return parse(file.text(), file.unreadableLines());
}

QByteArray formatKeyFile(const std::vector<grading::GradingKey>& keys) {
    QStringList lines{QStringLiteral("# Zensulino-Notenschlüssel")};
    for (const grading::GradingKey& key : keys) {
        lines << keyLines(key);
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

KeyFileLoad loadKeyFile(const QString& path) {
    if (!FileExists(path)) {
        return {};
    }
    auto damaged = [&](const QString& problems, std::vector<grading::GradingKey> keys = {}) {
        const QString available =
            (keys.empty() ? QStringLiteral("%1 und %2 stehen zur Verfügung")
                          : QStringLiteral("Alle übrigen Notenschlüssel sowie %1 und %2 stehen "
                                           "zur Verfügung"))
                .arg(grading::gymName(), grading::ihkName());
        return KeyFileLoad{
            KeyFileLoad::Status::Damaged, std::move(keys), problems,
            QStringLiteral("Die Notenschlüssel-Datei „%1“ konnte nicht ganz geladen werden:\r\r"
                           "%2\r\r%3; die Datei bleibt unverändert.")
                .arg(QDir::toNativeSeparators(path), problems, available)};
    };
    const WholeFile file = readWholeFile(path);
    if (!file.bytes) {
        return damaged(file.problem + u'.');
    }
    const std::optional<KeyFileText> text = KeyFileText::decode(*file.bytes);
    if (!text) {
        return damaged(QStringLiteral("Sie ist weder in UTF-8 noch in Windows-1252 geschrieben."));
    }
    KeyFileContent content = parseKeyFile(*text);
    if (!content.problems.isEmpty()) {
        // A box that says more runs off the screen; the first few show where the file broke.
        constexpr qsizetype mostShown = 10;
        QStringList shown = content.problems.mid(0, mostShown);
        if (content.problems.size() > mostShown) {
            shown << QStringLiteral("… und %1 weitere.").arg(content.problems.size() - mostShown);
        }
        return damaged(shown.join(u'\r'), std::move(content.keys));
    }
    return {KeyFileLoad::Status::Loaded, std::move(content.keys), {}, {}};
}

QString saveKeyFile(const QString& path, const std::vector<grading::GradingKey>& keys,
                    const QString& notSaved) {
    return saveBytes(path, formatKeyFile(keys),
                     {notSaved, QStringLiteral("Eine vorhandene Datei bleibt unverändert.")});
}

KeptCopy keepCopy(const QString& path, const QByteArray& bytes) {
    const QFileInfo original(path);
    QString copy;
    for (int number = 1; copy.isEmpty() || FileExists(copy); ++number) {
        copy = original.dir().filePath(
            QStringLiteral("%1 (Kopie%2).%3")
                .arg(original.completeBaseName(),
                     number == 1 ? QString() : QStringLiteral(" %1").arg(number),
                     original.suffix()));
    }
    const QString problem =
        saveBytes(copy, bytes,
                  {QStringLiteral("Die Kopie „%1“ wurde nicht gespeichert, und die Notenschlüssel "
                                  "deshalb auch nicht.")
                       .arg(QDir::toNativeSeparators(copy)),
                   QStringLiteral("Die Notenschlüssel-Datei bleibt unverändert.")});
    return {problem.isEmpty() ? copy : QString(), problem};
}

} // namespace settings
