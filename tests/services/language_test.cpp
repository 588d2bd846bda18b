#include "platform/locale.h"
#include "platform/profile.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/scripted_errors.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Allgemein;

namespace {

// Every message number the table carries, in each of the six languages.
constexpr int16_t kMessages[] = {106, 108, 109, 110, 111, 114, 116, 118, 119, 120, 121, 122,
                                 123, 124, 126, 128, 130, 131, 132, 133, 134, 136, 139, 144,
                                 145, 147, 148, 149, 154, 155, 158, 159, 161, 162, 164, 166,
                                 170, 171, 172, 173, 181, 182, 183, 184, 185, 186, 187, 188,
                                 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200,
                                 201, 202, 210, 211, 212, 230, 231, 232, 233, 234, 235, 240,
                                 241, 260, 261, 262, 263, 264, 265, 266, 267, 268,
                                 330, 331, 332, 333, 334, 335, 336, 337, 338, 339, 340, 341,
                                 342, 343, 344, 345, 346, 347, 348, 349, 350, 351, 352, 353,
                                 354, 355, 356, 357, 358};

QByteArray readFile(const QString& p)
{
    return testsupport::readFile(p, "<missing>");
}

class Language : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedErrors service;

    void SetUp() override
    {
        services::seams().languageFile = dir.filePath("~tmp.lng");
        services::seams().startMemoryFile = dir.filePath("memory/started.ini");
        platform::seams().programFolder = dir.path();
    }
    void TearDown() override
    {
        services::resetSeams();
        platform::resetSeams();
        Allgemein::settings().setSprache(0);
    }
};

}  // namespace

TEST_F(Language, TheTableHoldsEveryMessageInSixLanguagesAsWindows1252)
{
    const QByteArray table = resources::load("CUSTOM", 1000);
    EXPECT_TRUE(table.startsWith("[lang]\r\n"));
    EXPECT_EQ(table.count('\n'), table.count("\r\n"));
    EXPECT_TRUE(table.contains("\r\n0106=\x5a\xfc\x67\x65\r\n"));  // "Züge"

    // Exactly the messages of the six languages, none empty.
    const profile::ProfileFile file(table);
    QSet<QString> expected;
    for (int16_t language : languagetable::kLanguages) {
        for (int16_t message : kMessages) {
            const QString key = QString::number(language + message).rightJustified(4, '0');
            expected.insert(key);
            EXPECT_FALSE(file.value("Lang", key).value_or("").isEmpty()) << key.toStdString();
        }
    }
    const QStringList keys = file.keys("Lang");
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()), expected);
    EXPECT_EQ(keys.size(), expected.size());

    // The texts are those of the readable source the table is made from.
    QFile tsv(TAVORO_SOURCE_DIR "/tools/language/messages.tsv");
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(tsv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 1 + static_cast<int>(std::size(kMessages)));
    for (const QString& row : rows.mid(1)) {
        const QStringList cells = row.split('\t');
        ASSERT_EQ(cells.size(), 7);
        for (int i = 0; i < 6; ++i) {
            const int key = languagetable::kLanguages[i] + cells[0].toInt();
            EXPECT_EQ(file.value("Lang", QString::number(key).rightJustified(4, '0')), cells[1 + i]);
        }
    }
}

TEST_F(Language, GetLangLooksUpFourDigitKeys)
{
    WriteLanguageFile();
    EXPECT_EQ(readFile(LanguageFile()), resources::load("CUSTOM", 1000));
    const struct { int16_t key; QString text; } cases[] = {
        {0 + 106, QString::fromUtf8("Züge")},
        {1000 + 106, "Moves"},
        {6000 + 106, "Mouvements"},
        {0 + 123, QString::fromUtf8("&Über...")},
        {2000 + 134, QString::fromUtf8("&Oändlig")},
        {3000 + 124, QString::fromUtf8("Desidera veramente già finire?")},
        {5000 + 124, QString::fromUtf8("¿Realmente quiere terminar el juego?")},
        {5000 + 126, QString::fromUtf8("¡Por favor, introduzca su nombre!")},
        {6000 + 108, QString::fromUtf8("Afficher/Masquer l'image aperçu")},
        {6000 + 122, QString::fromUtf8("&E-mail à Ostrafel...")},
        {6000 + 123, QString::fromUtf8("À &propos...")},
        {2000 + 126, "Skriv ditt namn!"},
        {3000 + 164, "Vuoi davvero cancellare la lista dei campioni?"},
        {4000 + 106, ""},  // digit 4 has no texts
        {0 + 107, ""},     // no such message
        {106, QString::fromUtf8("Züge")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetLang(c.key), c.text) << c.key;

    // Every text the main window shows exists in every language.
    for (int16_t language : languagetable::kLanguages)
        for (const auto& t : languagetable::kMainWindowTexts)
            EXPECT_FALSE(GetLang(language + t.message).isEmpty()) << language + t.message;
    EXPECT_TRUE(service.reports.empty());
}

// Without a temporary folder the failure is reported once, and /tmp serves;
// the lookups that follow do not raise a dialog each.
TEST_F(Language, ALanguageFileWithoutATemporaryFolderIsSettledOnce)
{
    QTemporaryDir tmp;
    const QByteArray oldTmp = qgetenv("TMPDIR");
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.filePath("gone")));
    services::seams().languageFile.clear();
    const QString settled = LanguageFile();
    EXPECT_TRUE(settled.startsWith("/tmp/tavoro-") && settled.endsWith("/~tmp.lng"))
        << settled.toStdString();
    GetLang(1106);
    GetLang(1110);
    EXPECT_EQ(LanguageFile(), settled);
    if (!oldRuntime.isNull())
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
    EXPECT_EQ(service.reports.size(), 1u);
    service.reports.clear();
    qputenv("TMPDIR", oldTmp);
    services::seams().languageFile.clear();
}

TEST_F(Language, TheLanguageFileLivesInTheTemporaryFolderForTheRun)
{
    QTemporaryDir tmp;
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    services::seams().languageFile.clear();
    const QString first = LanguageFile();
    EXPECT_EQ(first, GetTempDir() + "~tmp.lng");
    EXPECT_TRUE(first.startsWith(tmp.path()));

    QTemporaryDir elsewhere;
    qputenv("TMPDIR", QFile::encodeName(elsewhere.path()));
    EXPECT_EQ(LanguageFile(), first);
    qputenv("TMPDIR", oldTmp);
}

TEST_F(Language, FirstStartFollowsTheLocaleLaterStartsTheSettings)
{
    QFile ini(dir.filePath("Tavoro.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Optionen]\r\nSprache=5000\r\n");
    ini.close();

    const struct { const char* locale; int16_t firstStart; } cases[] = {
        {"0407", 0}, {"0C07", 1000}, {"0807", 1000}, {"040C", 1000}, {"0409", 1000},
    };
    for (const auto& c : cases) {
        QFile::remove(dir.filePath("memory/started.ini"));
        QFile::remove(LanguageFile());
        platform::seams().userLanguageId = c.locale;
        EXPECT_FALSE(StartedBefore());
        EXPECT_EQ(ChooseStartLanguage(), c.firstStart) << c.locale;
        EXPECT_EQ(Allgemein::settings().Sprache(), c.firstStart);
        EXPECT_EQ(readFile(LanguageFile()), resources::load("CUSTOM", 1000));
        EXPECT_TRUE(StartedBefore());

        QFile::remove(LanguageFile());
        EXPECT_EQ(ChooseStartLanguage(), 5000) << c.locale;
        EXPECT_EQ(GetLang(Allgemein::settings().Sprache() + 106), "Movimientos");
    }

    // Later starts without a stored language: German.
    QFile::remove(dir.filePath("Tavoro.ini"));
    EXPECT_EQ(ChooseStartLanguage(), 0);
    EXPECT_TRUE(service.reports.empty());

    // A stored language that is none of the six is reported once and replaced
    // by German, also in the file.
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Optionen]\r\nSprache=4000\r\n");
    ini.close();
    EXPECT_EQ(ChooseStartLanguage(), 0);
    ASSERT_EQ(service.reports.size(), 1u);
    EXPECT_EQ(service.reports[0].procedure, "GetIniSetting");
    service.reports.clear();
    EXPECT_EQ(ChooseStartLanguage(), 0);
    EXPECT_TRUE(service.reports.empty());
    EXPECT_EQ(readFile(dir.filePath("Tavoro.ini")), "[Optionen]\r\nSprache=0\r\n");
}

TEST(UserLocale, WindowsLanguageIds)
{
    using L = QLocale;
    const struct { L::Language language; L::Territory territory; const char* id; } cases[] = {
        {L::German, L::Germany, "0407"},      {L::German, L::Austria, "0C07"},
        {L::German, L::Switzerland, "0807"},  {L::German, L::Luxembourg, "1007"},
        {L::German, L::Liechtenstein, "1407"}, {L::German, L::Belgium, "0007"},
        {L::English, L::UnitedStates, "0409"}, {L::English, L::UnitedKingdom, "0809"},
        {L::French, L::France, "040C"},       {L::Swedish, L::Sweden, "041D"},
        {L::Italian, L::Italy, "0410"},       {L::Spanish, L::Spain, "0C0A"},
        {L::Spanish, L::Mexico, "080A"},      {L::Chinese, L::China, "0804"},
        {L::C, L::AnyTerritory, "0409"},      {L::Esperanto, L::AnyTerritory, "1000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(userlocale::languageId(c.language, c.territory), c.id) << c.id;
    EXPECT_EQ(userlocale::languageId(QLocale("de_DE")), "0407");
    EXPECT_EQ(userlocale::languageId(QLocale("de_AT")), "0C07");
    EXPECT_EQ(userlocale::languageId(QLocale("fr_FR")), "040C");
    EXPECT_EQ(userlocale::userLanguageId().size(), 4);
}
