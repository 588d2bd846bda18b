#include "services/settings.h"

#include "errors/trap.h"
#include "platform/appinfo.h"
#include "platform/profile.h"

#include <array>
#include <cerrno>
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
            // A text the code page could not hold comes back exactly, from
            // the key added beside it.
            const std::optional<QString> exact =
                profile::ProfileFile::read(path).exactText(section, key);
            if (exact) {
                result = *exact;
                return;
            }
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
        // A full disk (or a failing one) is told once a run; a file or
        // folder the player made read-only, or anything else standing
        // under the file's name, keeps its settings silently.
        [&] {
            static bool toldOnce = false;
            if (profile::WritePrivateProfileText(section, key, value, path))
                return;
            const int err = errno;
            const bool diskFull = err == ENOSPC || err == EDQUOT || err == EFBIG || err == EIO;
            if (!diskFull || toldOnce)
                return;
            toldOnce = true;
            errors::raiseErrno(err);
        },
    });
}

namespace {

struct SettingKey {
    const char* section;
    const char* key;
    int16_t defaultValue;
};

SettingKey keyOf(Setting setting)
{
    switch (setting) {
    case Setting::Sprache: return {"Optionen", "Sprache", 0};
    case Setting::Size: return {"Optionen", "Size", 5};
    case Setting::Mode: return {"Optionen", "Mode", 0};
    case Setting::PlaySound: return {"Optionen", "PlaySound", -1};
    case Setting::PlayMusic: return {"Optionen", "PlayMusic", 1};
    case Setting::Picture: return {"Pictures", "Picture", 101};
    case Setting::Album: return {"Pictures", "Album", 0};
    case Setting::Background: return {"Pictures", "Background", 101};
    case Setting::Animate: return {"Optionen", "Animate", -1};
    }
    return {"", "", 0};
}

// A stored value: its text when the key is there, and its number.
struct Stored {
    bool present = false;
    QString text;
    int32_t number = 0;  // read as the Windows reader does: "abc" reads 0
};

Stored readStored(const SettingKey& k)
{
    Stored s;
    const QString path = IniPath();
    const std::optional<QString> v =
        profile::ProfileFile::read(path).value(QLatin1String(k.section), QLatin1String(k.key));
    // An empty value reads as a missing one, as the reader does.
    if (!v || v->isEmpty())
        return s;
    s.present = true;
    s.text = *v;
    s.number = profile::GetPrivateProfileInt(QLatin1String(k.section), QLatin1String(k.key),
                                             k.defaultValue, path);
    return s;
}

}  // namespace

bool SettingAllowed(Setting setting, int32_t value)
{
    switch (setting) {
    case Setting::Sprache: {
        constexpr std::array<int32_t, 6> languages = {0, 1000, 2000, 3000, 5000, 6000};
        for (int32_t l : languages)
            if (value == l)
                return true;
        return false;
    }
    case Setting::Size: return value >= 3 && value <= 8;
    case Setting::Mode: return value == 0 || value == 1;
    case Setting::PlaySound: return value == 0 || value == -1;
    case Setting::PlayMusic: return value >= 0 && value <= 2;
    case Setting::Picture: return value >= 101 && value <= 116;
    case Setting::Album: return value == 0 || value == 1;
    case Setting::Background: return value >= 101 && value <= 115;
    case Setting::Animate: return value == 0 || value == -1;
    }
    return false;
}

int16_t SettingDefault(Setting setting)
{
    return keyOf(setting).defaultValue;
}

int16_t GetIniInt(Setting setting)
{
    const SettingKey k = keyOf(setting);
    return GetIniInt(QLatin1String(k.section), QLatin1String(k.key), k.defaultValue);
}

int16_t GetIniSetting(Setting setting)
{
    const SettingKey k = keyOf(setting);
    int16_t result = k.defaultValue;
    bool valid = false;
    errors::Procedure proc{"Allgemein", "GetIniSetting"};
    proc.run({
        [&] {
            const Stored stored = readStored(k);
            if (!stored.present) {
                valid = true;
                return;
            }
            if (SettingAllowed(setting, stored.number)) {
                result = static_cast<int16_t>(stored.number);
                valid = true;
                return;
            }
            errors::raise(errors::ErrInvalidPropertyValue,
                          QStringLiteral("Invalid property value: [%1] %2=%3; the default %4 "
                                         "is used")
                              .arg(QLatin1String(k.section), QLatin1String(k.key), stored.text)
                              .arg(k.defaultValue));
        },
    });
    if (!valid) {
        // The default takes the bad value's place, so that it is reported once.
        result = k.defaultValue;
        SaveIni(QLatin1String(k.section), QLatin1String(k.key), QString::number(result));
    }
    return result;
}

void SaveIni(Setting setting, int16_t value)
{
    const SettingKey k = keyOf(setting);
    SaveIni(QLatin1String(k.section), QLatin1String(k.key), QString::number(value));
}

namespace {
const QString kLastNameSection = QStringLiteral("Optionen");
const QString kLastNameKey = QStringLiteral("LastName");
}  // namespace

const QString& Settings::loadLastName()
{
    lastName_ = GetIniString(kLastNameSection, kLastNameKey, QString());
    return lastName_;
}

void Settings::storeLastName() const
{
    SaveIni(kLastNameSection, kLastNameKey, lastName_);
}

Settings::Settings()
{
    for (int i = 0; i < kCount; ++i)
        values_[i] = SettingDefault(static_cast<Setting>(i));
}

int16_t Settings::load(Setting setting)
{
    values_[index(setting)] = GetIniSetting(setting);
    return value(setting);
}

void Settings::store(Setting setting) const
{
    SaveIni(setting, value(setting));
}

Settings& settings()
{
    static Settings theSettings;
    return theSettings;
}

}  // namespace Allgemein
