#include "services/language.h"
#include "services/player_record.h"

#include "errors/trap.h"
#include "platform/locale.h"
#include "platform/profile.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QSettings>

#include <cstdlib>

#include <memory>

namespace Allgemein {

namespace {

constexpr int kBufferSize = 255;

}  // namespace

namespace {

// The key with at least four digits, leading zeros kept.
QString fourDigits(int16_t number)
{
    const QString digits = QStringLiteral("%1").arg(std::abs(int{number}), 4, 10, QLatin1Char('0'));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

}  // namespace

QString LanguageFile()
{
    QString& languageFile = services::seams().languageFile;
    if (languageFile.isEmpty()) {
        // Settled once for the run: when no temporary folder can be had,
        // GetTempDir reports it once and the name alone is kept, so that the
        // lookups that follow raise no dialog of their own.
        languageFile = GetTempDir() + QStringLiteral("~tmp.lng");
    }
    return languageFile;
}

QString GetLang(int16_t number)
{
    QString result;
    errors::Procedure proc{"Allgemein", "GetLang"};
    proc.run({
        [&] {
            // A blank default: the reader strips it, so a missing key gives "".
            const QString blanks(kBufferSize, QLatin1Char(' '));
            result = profile::GetPrivateProfileString(QStringLiteral("Lang"), fourDigits(number),
                                                      blanks, kBufferSize, LanguageFile());
        },
    });
    return result;
}

void WriteLanguageFile()
{
    ModResFiles::SaveResItemToDisk(1000, QStringLiteral("CUSTOM"), LanguageFile());
}

bool StartedBefore()
{
    return PlayerRecord().startedBefore();
}

void RememberStart()
{
    PlayerRecord memory;
    memory.setStartedBefore();
    memory.store();
}

int16_t ChooseStartLanguage()
{
    if (!StartedBefore()) {
        const bool german = userlocale::userLanguageId().left(4) == QLatin1String("0407");
        settings().setSprache(german ? 0 : 1000);
        RememberStart();
    } else {
        settings().load(Setting::Sprache);
    }
    WriteLanguageFile();
    return settings().Sprache();
}

}  // namespace Allgemein
