#include "services/settings.h"

#include "errors/trap.h"
#include "platform/appinfo.h"
#include "platform/profile.h"

#include <limits>

namespace Allgemein {

namespace {
// The buffer the strings are read into.
constexpr int kBufferSize = 255;
}  // namespace

QString IniPath()
{
    return appinfo::dataFolder() + QLatin1Char('/') + appinfo::title() +
           QStringLiteral(".ini");
}

int16_t GetIniInt(const QString& section, const QString& key, int16_t defaultValue)
{
    int16_t result = 0;
    QString path;
    errors::Procedure proc{"Allgemein", "GetIniInt"};
    proc.run({
        [&] { path = IniPath(); },
        [&] {
            const int32_t value = profile::GetPrivateProfileInt(section, key, defaultValue, path);
            if (value < std::numeric_limits<int16_t>::min() ||
                value > std::numeric_limits<int16_t>::max())
                errors::raise(errors::ErrOverflow);
            result = static_cast<int16_t>(value);
        },
    });
    return result;
}

QString GetIniString(const QString& section, const QString& key, const QString& defaultValue)
{
    QString result;
    QString path;
    errors::Procedure proc{"Allgemein", "GetIniString"};
    proc.run({
        [&] { path = IniPath(); },
        [&] {
            result = profile::GetPrivateProfileString(section, key, defaultValue, kBufferSize,
                                                      path);
        },
    });
    return result;
}

void SaveIni(const QString& section, const QString& key, const QString& value)
{
    QString path;
    errors::Procedure proc{"Allgemein", "SaveIni"};
    proc.run({
        [&] { path = IniPath(); },
        // Whether the write succeeded is not examined.
        [&] { profile::WritePrivateProfileString(section, key, value, path); },
    });
}

}  // namespace Allgemein
