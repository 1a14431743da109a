// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyTableSection.h"

#include "grading/KeyTable.h"
#include "grading/Numbers.h"
#include "window/CellTable.h"
#include "window/TableClipboard.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

bool everyBoundWhole(const grading::GradingKey& key) {
    return std::all_of(key.grades.begin(), key.grades.end(), [](const grading::Grade& grade) {
        return !grade.bound ||
               grading::mostHalfErrors(grading::Scale::Errors, *grade.bound, 0) % 2 == 0;
    });
}

} // namespace

KeyTableSection::KeyTableSection(const QString& maximumText, const grading::Key& key,
                                 const QLocale& locale, QWidget* parent, Copy copy)
    : QWidget(parent), m_maximum(grading::keyTableMaximum(maximumText, locale)),
      m_words(grading::wordsFromText(maximumText, locale)), m_locale(locale) {
    setObjectName(QStringLiteral("keyTable"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_heading = new QLabel(this);
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true); // the table, not its heading, sets the section's width
    layout->addWidget(m_heading);

    m_halfSteps = new QCheckBox(this);
    connect(m_halfSteps, &QCheckBox::toggled, this, &KeyTableSection::fill);
    layout->addWidget(m_halfSteps, 0, Qt::AlignLeft);

    m_table = new QTableWidget(this);
    m_heading->setBuddy(m_table);
    layout->addWidget(m_table);
    m_tooLarge = new QLabel(this);
    m_tooLarge->setWordWrap(true);
    layout->addWidget(m_tooLarge);

    m_copy = new QPushButton(QStringLiteral("Noten&schlüssel kopieren"), this);
    m_copy->setObjectName(QStringLiteral("copyNotenschluessel"));
    connect(m_copy, &QPushButton::clicked, this, [this] {
        if (const auto table = shownTable()) {
            copyTables({*table}, CaptionInText::No);
        }
    });
    layout->addWidget(m_copy, 0, Qt::AlignLeft);
    m_copyWanted = copy == Copy::Button;
    layout->addStretch();
    setKey(key);
}

// Half steps are chosen where the key or the maximum asks for them, afresh where a key of another
// scale is shown; otherwise the teacher's choice stays.
void KeyTableSection::setKey(const grading::Key& key) {
    const bool errors = grading::countsErrors(key->scale);
    if (!m_key || m_key->scale != key->scale) {
        const QSignalBlocker quiet(m_halfSteps);
        m_halfSteps->setText(errors ? QStringLiteral("&halbe Fehler")
                                    : QStringLiteral("&halbe Punkte"));
        m_halfSteps->setChecked(halvesAskedFor(*key));
    }
    m_key = key;
    fill();
}

bool KeyTableSection::halvesAskedFor(const grading::GradingKey& key) const {
    switch (key.scale) {
    case grading::Scale::Points:
        break;
    case grading::Scale::Errors:
        return !everyBoundWhole(key);
    case grading::Scale::ErrorsPer100Words:
        return false;
    }
    return m_maximum && grading::endsInAHalf(*m_maximum);
}

bool KeyTableSection::hasWhatItNeeds(const grading::GradingKey& key) const {
    switch (key.scale) {
    case grading::Scale::Points:
        break;
    case grading::Scale::Errors:
        return true;
    case grading::Scale::ErrorsPer100Words:
        return m_words.has_value();
    }
    return m_maximum.has_value();
}

// The check box speaks for the keys of the scale of the key shown; the others keep their own step:
// half errors chosen for a dictation say nothing about a test in points, nor whole errors for a
// language test about a dictation with half bounds.
double KeyTableSection::step(const grading::GradingKey& key) const {
    const bool halves = key.scale == m_key->scale ? m_halfSteps->isChecked() : halvesAskedFor(key);
    return halves ? 0.5 : 1.0;
}

QString KeyTableSection::noTableText() const {
    if (hasWhatItNeeds(*m_key)) {
        return grading::tooLargeToSplit(step(*m_key));
    }
    if (m_key->scale == grading::Scale::ErrorsPer100Words) {
        return QStringLiteral("Für den Notenschlüssel bitte die Zahl der Wörter ab 1 eingeben (im "
                              "Feld „Rohpunkte“, das unter diesem Schlüssel „Wörter“ heißt).");
    }
    return QStringLiteral(
        "Für den Notenschlüssel bitte unter „Rohpunkte“ eine Höchstpunktzahl über "
        "0 eingeben.");
}

QString KeyTableSection::sheetNote() const {
    return hasWhatItNeeds(*m_key) && !shownTable() ? noTableText() : QString();
}

std::optional<grading::PasteTable> KeyTableSection::shownTable() const {
    return tableFor(*m_key);
}

std::optional<grading::PasteTable> KeyTableSection::tableFor(const grading::GradingKey& key) const {
    if (!hasWhatItNeeds(key)) {
        return std::nullopt;
    }
    if (grading::countsErrors(key.scale)) {
        const qint64 words = m_words.value_or(0);
        return grading::errorPasteTable(key, words, grading::errorTable(key, step(key), words),
                                        m_locale);
    }
    if (!m_maximum) {
        return std::nullopt;
    }
    const auto rows = grading::keyTable(key, *m_maximum, step(key));
    if (!rows) {
        return std::nullopt;
    }
    return grading::keyPasteTable(key, *m_maximum, *rows, m_locale);
}

// The cells come from the very table the copy button puts on the clipboard.
void KeyTableSection::fill() {
    const std::optional<grading::PasteTable> shown = shownTable();
    // Without a maximum or a word count the key it needs has nothing to show but the hint.
    const bool table = hasWhatItNeeds(*m_key);
    const QString heading = shown   ? shown->caption
                            : table ? grading::keyTableHeading(*m_key, *m_maximum, m_locale)
                                    : noTableText();
    m_heading->setText(heading);
    m_table->setAccessibleName(heading);
    m_halfSteps->setVisible(table);
    m_table->setVisible(shown.has_value());
    m_copy->setVisible(table && m_copyWanted);
    m_copy->setEnabled(shown.has_value());
    m_tooLarge->setVisible(table && !shown);
    if (!shown) {
        m_tooLarge->setText(noTableText());
        return;
    }
    // "ab" and "bis" as wide as each other, so that the bounds line up.
    showCells(m_table, *shown, {.sameWidthFrom = 1, .aligned = Qt::AlignRight | Qt::AlignVCenter});
}
