// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include "settings/FileName.h"
#include "settings/SaveRoute.h"
#include "settings/WriteFailure.h"
#include "settings/modFiles.h"
#include "settings/modSpecialFolder.h"
#include "tests/support/GTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using settings::LoadResult;
using settings::StoredTexts;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class SettingsFile : public testing::Test {
protected:
    QString path() const { return m_dir.filePath("Zensulino.ini"); }
    QTemporaryDir m_dir;
};

TEST_F(SettingsFile, SavesTheExactBytes) {
    ASSERT_EQ(settings::saveSettings(path(), {"40", "35", "87,5", "13", "GYM"}), "");
    EXPECT_EQ(readBytes(path()), QByteArray("\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n"));
}

TEST_F(SettingsFile, SavingTwiceLeavesOneLine) {
    ASSERT_EQ(settings::saveSettings(path(), {"40", "35", "87,5", "13", "GYM"}), "");
    ASSERT_EQ(settings::saveSettings(path(), {"20", "10", "50,0", "06", "IHK"}), "");
    EXPECT_EQ(readBytes(path()), QByteArray("\"20\",\"10\",\"50,0\",\"06\",\"IHK\"\r\n"));
}

TEST_F(SettingsFile, RoundTripsEveryStorableText) {
    const StoredTexts texts{"", "a\"b,c", QString::fromUtf8("Prüfung €"), "  ", "ihk"};
    ASSERT_EQ(settings::saveSettings(path(), texts), "");
    EXPECT_EQ(readBytes(path()), QByteArray("\"\",\"a\"\"b,c\",\"Pr\xFC"
                                            "fung \x80\",\"  \",\"ihk\"\r\n"));
    const LoadResult loaded = settings::loadSettings(path());
    ASSERT_EQ(loaded.status, LoadResult::Status::Loaded) << loaded.message.toStdString();
    EXPECT_EQ(loaded.texts, texts);
}

TEST_F(SettingsFile, MissingFileIsNormal) {
    const LoadResult loaded = settings::loadSettings(path());
    EXPECT_EQ(loaded.status, LoadResult::Status::Missing);
    EXPECT_TRUE(loaded.message.isEmpty());
}

TEST_F(SettingsFile, ReadsAFileSavedAsUtf8WithByteOrderMark) {
    writeBytes(path(), "\xEF\xBB\xBF\"40\",\"35\",\"87,5\",\"13\",\"Pr\xC3\xBC"
                       "fung\"\n");
    const LoadResult loaded = settings::loadSettings(path());
    ASSERT_EQ(loaded.status, LoadResult::Status::Loaded) << loaded.message.toStdString();
    EXPECT_EQ(loaded.texts.schluessel, QString::fromUtf8("Prüfung"));
}

struct DamagedRow {
    std::string name;
    QByteArray bytes;
    QString reason;
};

class DamagedSettingsFile : public testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedSettingsFile, IsReportedWithItsNameAndLeftAsItIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino.ini");
    writeBytes(path, GetParam().bytes);

    const LoadResult loaded = settings::loadSettings(path);

    EXPECT_EQ(loaded.status, LoadResult::Status::Unreadable);
    EXPECT_EQ(loaded.texts, StoredTexts{});
    EXPECT_TRUE(
        loaded.message.startsWith(QString::fromUtf8("Die Einstellungsdatei „%1“ konnte "
                                                    "nicht geladen werden: %2.")
                                      .arg(QDir::toNativeSeparators(path), GetParam().reason)))
        << loaded.message.toStdString();
    EXPECT_EQ(readBytes(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSettingsFile,
    testing::Values(
        DamagedRow{"three_fields", "\"40\",\"35\",\"87,5\"\r\n", "Sie enthält nur 3 der 5 Felder"},
        DamagedRow{"broken_quote", "\"40\",\"35\",\"87,5\",\"13\",\"GYM\r\n",
                   QString::fromUtf8("In Feld 5 fehlt das schließende Anführungszeichen")},
        DamagedRow{"sixth_field", "\"40\",\"35\",\"87,5\",\"13\",\"IHK\",\"2\"\r\n",
                   QString::fromUtf8("Nach dem fünften Feld folgt weiterer Text")},
        DamagedRow{"nul_byte", QByteArray("\"40\",\"3\0\",\"87,5\",\"13\",\"GYM\"\r\n", 29),
                   "Sie enthält Bytes, die kein Text sind"},
        DamagedRow{"undefined_code_page_byte", "\"40\",\"35\",\"87,5\",\"13\",\"\x81\"\r\n",
                   "Sie enthält Bytes, die kein Text sind"},
        DamagedRow{"broken_utf8_after_mark", "\xEF\xBB\xBF\"\xC3\",\"\",\"\",\"\",\"\"",
                   "Sie enthält Bytes, die kein Text sind"},
        DamagedRow{"larger_than_1_MiB",
                   "\"" + QByteArray(1024 * 1024, '1') + "\",\"\",\"\",\"\",\"\"",
                   QString::fromUtf8("Sie ist größer als 1 MiB")}),
    ROW_NAMES);

TEST_F(SettingsFile, FolderInPlaceOfTheFileIsReported) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Zensulino.ini"));
    const LoadResult loaded = settings::loadSettings(path());
    EXPECT_EQ(loaded.status, LoadResult::Status::Unreadable);
    EXPECT_TRUE(loaded.message.contains("An ihrer Stelle steht ein Ordner"));

    const QString problem = settings::saveSettings(path(), {"1", "2", "3", "4", "GYM"});
    EXPECT_TRUE(problem.startsWith("Die Einstellungen wurden nicht gespeichert."))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains("steht ein Ordner"));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(SettingsFile, UnreadableFileIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file; Settings.Unprivileged runs this";
    }
    writeBytes(path(), "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
    QFile::setPermissions(path(), QFileDevice::WriteOwner);
    const LoadResult loaded = settings::loadSettings(path());
    EXPECT_EQ(loaded.status, LoadResult::Status::Unreadable);
    EXPECT_TRUE(loaded.message.contains("Berechtigung"));
}

TEST_F(SettingsFile, MissingFolderIsReported) {
    const QString inMissingFolder = m_dir.filePath("fehlt/Zensulino.ini");
    const QString problem = settings::saveSettings(inMissingFolder, {"1", "2", "3", "4", "GYM"});
    EXPECT_EQ(problem, QString::fromUtf8("Die Einstellungen wurden nicht gespeichert.\r\r"
                                         "Der Ordner „%1“ existiert nicht.\r"
                                         "Eine früher gespeicherte Datei bleibt unverändert.")
                           .arg(QDir::toNativeSeparators(m_dir.filePath("fehlt"))));
}

TEST_F(SettingsFile, ReadOnlyFolderWithoutTheFileIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into every folder; Settings.Unprivileged runs this";
    }
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    const QString problem = settings::saveSettings(path(), {"1", "2", "3", "4", "IHK"});

    QFile::setPermissions(m_dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(problem.contains("kann nicht geschrieben werden")) << problem.toStdString();
    EXPECT_FALSE(QFile::exists(path()));
}

TEST(SettingsFileOnLinux, FolderNobodyMayWriteIntoIsReported) {
    // /proc takes no new files, not even from root, so this runs in CI as well.
    const QString problem =
        settings::saveSettings("/proc/Zensulino.ini", {"1", "2", "3", "4", "GYM"});
    EXPECT_TRUE(problem.contains(QString::fromUtf8("In den Ordner „/proc“ kann nicht geschrieben "
                                                   "werden.")))
        << problem.toStdString();
}

TEST_F(SettingsFile, UnstorableTextIsRefusedAndKeepsTheFormerFile) {
    ASSERT_EQ(settings::saveSettings(path(), {"40", "35", "87,5", "13", "GYM"}), "");
    const QByteArray before = readBytes(path());
    const QString beyondTheReadersBound = QString::fromUtf8("∞").repeated(80'000);
    const std::pair<StoredTexts, QString> refused[] = {
        {{"40", "35", "87,5", "13", "G\rYM"},
         QString::fromUtf8("Das Feld „Notenschlüssel“ enthält einen Zeilenumbruch")},
        {{beyondTheReadersBound, beyondTheReadersBound, beyondTheReadersBound,
          beyondTheReadersBound, beyondTheReadersBound},
         QString::fromUtf8("zu lang für die Einstellungsdatei (höchstens 1 MiB)")}};
    for (const auto& [texts, reason] : refused) {
        const QString problem = settings::saveSettings(path(), texts);
        EXPECT_TRUE(problem.contains(reason)) << problem.toStdString();
        EXPECT_EQ(readBytes(path()), before);
    }
}

TEST_F(SettingsFile, NoDocumentsFolderSavesNothing) {
    EXPECT_TRUE(settings::saveSettings("", {"1", "2", "3", "4", "GYM"}).contains("Dokumente"));
    EXPECT_EQ(settings::loadSettings("").status, LoadResult::Status::Missing);
}

class SettingsLocation : public testing::TestWithParam<const char*> {};

// Only absolute entries and "$HOME/…" count; anything else is no entry, as Qt treats a missing one.
// The folder is made on the first save.
TEST_P(SettingsLocation, IsZensulinoIniInTheDocumentsFolder) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(".config").toLocal8Bit());
    if (*GetParam() != '\0') {
        QDir(home.path()).mkpath(".config");
        writeBytes(home.filePath(".config/user-dirs.dirs"), GetParam());
    }

    const QString folder = GetSpecialFolder(CSIDL_PERSONAL);
    const QString path = settings::settingsFilePath();
    // A fresh account has no documents folder: the first save makes it.
    const QString problem = settings::saveSettings(path, {"40", "30", "75,0", "11", "GYM"});

    qputenv("HOME", oldHome);
    EXPECT_EQ(problem, "");
    EXPECT_TRUE(QFileInfo(path).isFile());
    qputenv("XDG_CONFIG_HOME", oldConfig);
    EXPECT_EQ(folder, home.filePath("Documents"));
    EXPECT_EQ(path, home.filePath("Documents/Zensulino.ini"));
    EXPECT_EQ(GetSpecialFolder(CSIDL_PERSONAL + 1), "");
}

INSTANTIATE_TEST_SUITE_P(UserDirs, SettingsLocation,
                         testing::Values("", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n",
                                         "XDG_DOCUMENTS_DIR=\"Dokumente\"\n",
                                         "XDG_DOCUMENTS_DIR=\"\"\n"));

// The documents folder is made where it is missing; where it cannot be, the message says why,
// and no folder is made on a path that does not exist (a share not mounted).
TEST(DocumentsFolder, ThatCannotBeMadeIsNamedWithItsCause) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("Datei");
    writeBytes(dir.filePath("Datei/Documents"), "");
    const std::pair<const char*, const char*> homes[] = {
        {"Datei", "An seiner Stelle steht eine Datei gleichen Namens."},
        {"nicht eingehängt", "Der Ordner „%1“ existiert nicht."}};
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    for (const auto& [home, cause] : homes) {
        const QString homePath = dir.filePath(QString::fromUtf8(home));
        qputenv("HOME", homePath.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (homePath + "/.config").toLocal8Bit());
        const QString problem =
            settings::saveSettings(settings::settingsFilePath(), {"40", "30", "75,0", "11", "GYM"});
        EXPECT_TRUE(problem.contains(
            QString::fromUtf8("Der Ordner „%1/Documents“ ließ sich nicht anlegen: %2")
                .arg(homePath, QString::fromUtf8(cause).arg(homePath))))
            << problem.toStdString();
        EXPECT_FALSE(QFileInfo(homePath + "/Documents").isDir()) << home;
    }
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(FileExists, TellsWhetherAnythingOfThatNameExists) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("datei"), "x");
    EXPECT_TRUE(FileExists(dir.filePath("datei")));
    EXPECT_TRUE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.filePath("fehlt")));
    EXPECT_FALSE(FileExists(""));
}

// Random texts of every kind a user may type or a result may show: each save loads back the same
// five texts, and the file stays Windows-1252, byte for byte, whenever that code page holds them.
TEST(SettingsRoundTrip, EverySaveLoadsBack) {
    struct Piece {
        const char* utf8;
        bool inCodePage;
    };
    const Piece pieces[] = {{"", true},     {"4", true},       {"\"", true},     {"\"\"", true},
                            {",", true},    {"\",", true},     {" ", true},      {"  ,", true},
                            {"äöüß", true}, {"€", true},       {"87,5", true},   {"ihk", true},
                            {"∞", false},   {"−4", false},     {"٣٤٫٥", false},  {"考试", false},
                            {"😀", false},   {"n. def.", true}, {"\"\" ,", true}, {"Ω", false}};
    std::mt19937 random(20261207);
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino.ini");
    for (int round = 0; round < 300; ++round) {
        StoredTexts texts;
        bool inCodePage = true;
        for (QString* text : {&texts.rohpunkte, &texts.punkte, &texts.ergebnisProzent,
                              &texts.ergebnisNote, &texts.schluessel}) {
            const int length = static_cast<int>(random() % 6);
            for (int i = 0; i < length; ++i) {
                const Piece& piece = pieces[random() % std::size(pieces)];
                *text += QString::fromUtf8(piece.utf8);
                inCodePage = inCodePage && piece.inCodePage;
            }
        }
        ASSERT_EQ(settings::saveSettings(path, texts), "") << round;
        const QByteArray bytes = readBytes(path);
        EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), !inCodePage) << round;
        const LoadResult loaded = settings::loadSettings(path);
        ASSERT_EQ(loaded.status, LoadResult::Status::Loaded)
            << round << loaded.message.toStdString();
        ASSERT_EQ(loaded.texts, texts) << round << bytes.toStdString();
    }
}

TEST(SettingsRoundTrip, FiveFullLineEditsInEitherEncoding) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino.ini");
    for (const char* character : {"\"", "∞"}) {
        const QString full = QString::fromUtf8(character).repeated(32767);
        const StoredTexts texts{full, full, full, full, full};
        ASSERT_EQ(settings::saveSettings(path, texts), "") << character;
        const LoadResult loaded = settings::loadSettings(path);
        ASSERT_EQ(loaded.status, LoadResult::Status::Loaded) << loaded.message.toStdString();
        EXPECT_TRUE(loaded.texts == texts) << character;
    }
}

struct OddFileRow {
    std::string name;
    std::function<void(const QString& path)> make;
    QString reason; // empty: loads
};

class OddSettingsFile : public testing::TestWithParam<OddFileRow> {};

TEST_P(OddSettingsFile, LoadsOrIsReportedWithoutWaiting) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino.ini");
    GetParam().make(path);
    const LoadResult loaded = settings::loadSettings(path);
    if (GetParam().reason.isEmpty()) {
        EXPECT_EQ(loaded.status, LoadResult::Status::Loaded) << loaded.message.toStdString();
        EXPECT_EQ(loaded.texts.rohpunkte, QString::fromUtf8("4\"0"));
    } else {
        EXPECT_EQ(loaded.status, LoadResult::Status::Unreadable);
        EXPECT_TRUE(loaded.message.contains(GetParam().reason)) << loaded.message.toStdString();
    }
    // Nothing of the user's is replaced by a save either.
    const QString problem = settings::saveSettings(path, {"1", "2", "3", "4", "GYM"});
    EXPECT_EQ(problem.isEmpty(), QFileInfo(path).isFile()) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, OddSettingsFile,
    testing::Values(
        OddFileRow{"named_pipe",
                   [](const QString& path) { ASSERT_EQ(mkfifo(qPrintable(path), 0600), 0); },
                   "Sie ist keine gewöhnliche Datei"},
        OddFileRow{"link_to_a_device",
                   [](const QString& path) { ASSERT_TRUE(QFile::link("/dev/zero", path)); },
                   "Sie ist keine gewöhnliche Datei"},
        OddFileRow{"plain_quote_inside",
                   [](const QString& path) {
                       writeBytes(path, "\"4\"0\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
                   },
                   ""},
        OddFileRow{"utf8_with_mark",
                   [](const QString& path) {
                       writeBytes(path,
                                  "\xEF\xBB\xBF\"4\"0\",\"35\",\"\xE2\x88\x9E\",\"15\",\"GYM\"");
                   },
                   ""}),
    ROW_NAMES);

// The message names a cause only where the system's own error text says so.
TEST(WriteFailure, IsReadFromTheSystemsErrorText) {
    using settings::WriteFailure;
    const std::pair<int, WriteFailure> causes[] = {{ENOSPC, WriteFailure::DiskFull},
                                                   {EDQUOT, WriteFailure::QuotaExceeded},
                                                   {EFBIG, WriteFailure::FileTooLarge},
                                                   {EACCES, WriteFailure::Other},
                                                   {EIO, WriteFailure::Other}};
    for (const auto& [code, cause] : causes) {
        EXPECT_EQ(settings::writeFailureFrom(qt_error_string(code)), cause) << code;
    }
    EXPECT_EQ(settings::writeFailureFrom(QStringLiteral("Unknown error")), WriteFailure::Other);
}

// Which way a save goes: a new file put in place, or the former one rewritten where the folder
// takes no new files.
enum class Route { Atomic, InPlace };

class FailedWrite : public SettingsFile, public testing::WithParamInterface<Route> {};

TEST_P(FailedWrite, KeepsTheFormerFileByteForByteAndNamesTheSizeLimit) {
    if (GetParam() == Route::InPlace && geteuid() == 0) {
        GTEST_SKIP() << "root writes into every folder; Settings.Unprivileged runs this";
    }
    ASSERT_EQ(settings::saveSettings(path(), {"40", "35", "87,5", "13", "GYM"}), "");
    const QByteArray before = readBytes(path());
    if (GetParam() == Route::InPlace) {
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }

    // A file-size limit makes the write fail, even for root. SIGXFSZ stays at its default, which
    // would end this test the way it ended the program.
    rlimit former{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &former), 0);
    rlimit tight = former;
    tight.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const QString problem =
        settings::saveSettings(path(), {QString(600, '4'), "3500", "87,5", "13", "IHK"});
    setrlimit(RLIMIT_FSIZE, &former);
    QFile::setPermissions(m_dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    EXPECT_TRUE(problem.contains(QString::fromUtf8("größer, als das System diesem Programm für "
                                                   "eine Datei erlaubt")))
        << problem.toStdString();
    EXPECT_FALSE(problem.contains("voll")) << problem.toStdString();
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Zensulino.ini"});
}

INSTANTIATE_TEST_SUITE_P(Routes, FailedWrite, testing::Values(Route::Atomic, Route::InPlace),
                         [](const auto& row) {
                             return std::string(row.param == Route::Atomic ? "atomic" : "in_place");
                         });

// Where a write in place fails, the former content is put back; where that fails too and the file
// is no longer as it was, the message says so and names the file instead of promising it unchanged.
TEST(ReplaceInPlace, SaysWhereTheFormerContentCouldNotBePutBack) {
    // Writes so many chunks of 4 bytes, then fails every write.
    class FailingAfter : public QFile {
    public:
        FailingAfter(const QString& path, int chunks) : QFile(path), m_chunks(chunks) {}

    protected:
        qint64 writeData(const char* data, qint64 length) override {
            return m_chunks-- > 0 ? QFile::writeData(data, std::min<qint64>(length, 4)) : -1;
        }

    private:
        int m_chunks;
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("Zensulino.ini");
    const settings::SaveWording wording{"Nicht gespeichert.", "Sie bleibt unverändert."};
    for (const auto& [chunks, kept] : {std::pair{0, true}, std::pair{1, false}}) {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
        former.close();
        FailingAfter file(path, chunks);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        const settings::SaveProblem problem = settings::replaceInPlace(file, "\"1\",\"2\"");
        EXPECT_EQ(problem.formerKept, kept) << chunks;
        const QString message = settings::notSavedMessage(wording, problem, path);
        EXPECT_EQ(message.contains("Sie bleibt unverändert."), kept) << message.toStdString();
        EXPECT_EQ(message.contains(QStringLiteral("Die Datei „%1“ kann jetzt unvollständig sein.")
                                       .arg(QDir::toNativeSeparators(path))),
                  !kept)
            << message.toStdString();
    }
}

TEST_F(SettingsFile, LinkIntoAMissingFolderIsNamedAsSuch) {
    ASSERT_TRUE(QFile::link(m_dir.filePath("weg/Zensulino.ini"), path()));
    const QString problem = settings::saveSettings(path(), {"1", "2", "3", "4", "GYM"});
    EXPECT_TRUE(
        problem.contains(QString::fromUtf8("verweist auf „%1“, dessen Ordner nicht existiert")
                             .arg(QDir::toNativeSeparators(m_dir.filePath("weg/Zensulino.ini")))))
        << problem.toStdString();
}

TEST_F(SettingsFile, ReadOnlyFileIsNamedAsSuch) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes every file; Settings.Unprivileged runs this";
    }
    writeBytes(path(), "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
    QFile::setPermissions(path(), QFileDevice::ReadOwner);
    const QString problem = settings::saveSettings(path(), {"1", "2", "3", "4", "GYM"});
    EXPECT_TRUE(problem.contains("ist schreibgeschützt")) << problem.toStdString();
}

TEST_F(SettingsFile, WritableFileInAReadOnlyFolderIsReplacedInPlace) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into every folder; Settings.Unprivileged runs this";
    }
    writeBytes(path(), "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString problem = settings::saveSettings(path(), {"1", "2", "3", "4", "IHK"});
    QFile::setPermissions(m_dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(readBytes(path()), QByteArray("\"1\",\"2\",\"3\",\"4\",\"IHK\"\r\n"));
}

TEST_F(SettingsFile, FileOfAnotherUserInASharedStickyFolderIsReplacedInPlace) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "a file of another user takes root to make; the run as root does this";
    }
    // A shared folder (mode 1777) with a file that root owns and everybody may write: a user may
    // write the file but not put a new one in its place.
    ASSERT_EQ(chmod(qPrintable(m_dir.path()), 0711), 0);
    const QString shared = m_dir.filePath("geteilt");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("geteilt"));
    ASSERT_EQ(chmod(qPrintable(shared), 01777), 0);
    const QString path = shared + "/Zensulino.ini";
    writeBytes(path, "\"40\",\"35\",\"87,5\",\"13\",\"GYM\"\r\n");
    ASSERT_EQ(chmod(qPrintable(path), 0666), 0);

    const pid_t saver = fork();
    ASSERT_NE(saver, -1);
    if (saver == 0) {
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped && settings::saveSettings(path, {"1", "2", "3", "4", "IHK"}).isEmpty() ? 0
                                                                                             : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(saver, &status, 0), saver);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save was refused";
    EXPECT_EQ(readBytes(path), QByteArray("\"1\",\"2\",\"3\",\"4\",\"IHK\"\r\n"));
    EXPECT_EQ(QFileInfo(path).ownerId(), 0u) << "replaced in place, not by a file of the user";
}

// The name proposed for a sheet or a results file: every character a Windows file name cannot
// hold becomes "-", a device's name is no file's, a long title is cut at a word, and an empty
// title gives the program's own name.
TEST(FileName, FromTheTitleWithoutWhatWindowsRefuses) {
    const std::pair<const char*, const char*> titles[] = {
        {"Mathematik 8a, Klassenarbeit 2", "Mathematik 8a, Klassenarbeit 2.pdf"},
        {"  8b\\Nachschrift/2: *neu*? \"A\" <B> | C ", "8b-Nachschrift-2- -neu-- -A- -B- - C.pdf"},
        {"Prüfung Übung.", "Prüfung Übung..pdf"},
        {"   ", "Notenspiegel.pdf"},
        {"con", "con-.pdf"},
        {"Nul. Arbeit", "Nul-. Arbeit.pdf"},
        {"COM1 Nachschrift", "COM1 Nachschrift.pdf"},
        {"Mathematik Klasse 8a, zweite Klassenarbeit im ersten Halbjahr 2026/27, Gruppe A, "
         "Nachschrift",
         "Mathematik Klasse 8a, zweite Klassenarbeit im ersten Halbjahr 2026-27, Gruppe A.pdf"}};
    for (const auto& [title, proposed] : titles) {
        EXPECT_EQ(settings::fileNameFromTitle(QString::fromUtf8(title),
                                              QStringLiteral("Notenspiegel"),
                                              QStringLiteral(".pdf")),
                  QString::fromUtf8(proposed))
            << title;
    }
}

} // namespace
