#include "platform/locale.h"

#include "platform/seams.h"

#include <cstdint>

namespace userlocale {

namespace {

using L = QLocale;

struct Entry {
    QLocale::Language language;
    QLocale::Territory territory;  // AnyTerritory: the language's neutral entry
    uint16_t id;
};

// Primary language in the low 10 bits, sub-language above them.
constexpr Entry kTable[] = {
    {L::Afrikaans, L::AnyTerritory, 0x0036}, {L::Afrikaans, L::SouthAfrica, 0x0436},
    {L::Albanian, L::AnyTerritory, 0x001C}, {L::Albanian, L::Albania, 0x041C},
    {L::Arabic, L::AnyTerritory, 0x0001}, {L::Arabic, L::SaudiArabia, 0x0401},
    {L::Arabic, L::Iraq, 0x0801}, {L::Arabic, L::Egypt, 0x0C01},
    {L::Arabic, L::Libya, 0x1001}, {L::Arabic, L::Algeria, 0x1401},
    {L::Arabic, L::Morocco, 0x1801}, {L::Arabic, L::Tunisia, 0x1C01},
    {L::Arabic, L::Oman, 0x2001}, {L::Arabic, L::Yemen, 0x2401},
    {L::Arabic, L::Syria, 0x2801}, {L::Arabic, L::Jordan, 0x2C01},
    {L::Arabic, L::Lebanon, 0x3001}, {L::Arabic, L::Kuwait, 0x3401},
    {L::Arabic, L::UnitedArabEmirates, 0x3801}, {L::Arabic, L::Bahrain, 0x3C01},
    {L::Arabic, L::Qatar, 0x4001},
    {L::Basque, L::AnyTerritory, 0x002D}, {L::Basque, L::Spain, 0x042D},
    {L::Belarusian, L::AnyTerritory, 0x0023}, {L::Belarusian, L::Belarus, 0x0423},
    {L::Bulgarian, L::AnyTerritory, 0x0002}, {L::Bulgarian, L::Bulgaria, 0x0402},
    {L::Catalan, L::AnyTerritory, 0x0003}, {L::Catalan, L::Spain, 0x0403},
    {L::Chinese, L::AnyTerritory, 0x0004}, {L::Chinese, L::Taiwan, 0x0404},
    {L::Chinese, L::China, 0x0804}, {L::Chinese, L::HongKong, 0x0C04},
    {L::Chinese, L::Singapore, 0x1004}, {L::Chinese, L::Macao, 0x1404},
    {L::Croatian, L::AnyTerritory, 0x001A}, {L::Croatian, L::Croatia, 0x041A},
    {L::Czech, L::AnyTerritory, 0x0005}, {L::Czech, L::Czechia, 0x0405},
    {L::Danish, L::AnyTerritory, 0x0006}, {L::Danish, L::Denmark, 0x0406},
    {L::Dutch, L::AnyTerritory, 0x0013}, {L::Dutch, L::Netherlands, 0x0413},
    {L::Dutch, L::Belgium, 0x0813},
    {L::English, L::AnyTerritory, 0x0009}, {L::English, L::UnitedStates, 0x0409},
    {L::English, L::UnitedKingdom, 0x0809}, {L::English, L::Australia, 0x0C09},
    {L::English, L::Canada, 0x1009}, {L::English, L::NewZealand, 0x1409},
    {L::English, L::Ireland, 0x1809}, {L::English, L::SouthAfrica, 0x1C09},
    {L::English, L::Jamaica, 0x2009}, {L::English, L::Belize, 0x2809},
    {L::English, L::TrinidadAndTobago, 0x2C09}, {L::English, L::Zimbabwe, 0x3009},
    {L::English, L::Philippines, 0x3409}, {L::English, L::India, 0x4009},
    {L::English, L::Malaysia, 0x4409}, {L::English, L::Singapore, 0x4809},
    {L::Estonian, L::AnyTerritory, 0x0025}, {L::Estonian, L::Estonia, 0x0425},
    {L::Faroese, L::AnyTerritory, 0x0038}, {L::Faroese, L::FaroeIslands, 0x0438},
    {L::Persian, L::AnyTerritory, 0x0029}, {L::Persian, L::Iran, 0x0429},
    {L::Finnish, L::AnyTerritory, 0x000B}, {L::Finnish, L::Finland, 0x040B},
    {L::French, L::AnyTerritory, 0x000C}, {L::French, L::France, 0x040C},
    {L::French, L::Belgium, 0x080C}, {L::French, L::Canada, 0x0C0C},
    {L::French, L::Switzerland, 0x100C}, {L::French, L::Luxembourg, 0x140C},
    {L::French, L::Monaco, 0x180C},
    {L::Galician, L::AnyTerritory, 0x0056}, {L::Galician, L::Spain, 0x0456},
    {L::Georgian, L::AnyTerritory, 0x0037}, {L::Georgian, L::Georgia, 0x0437},
    {L::German, L::AnyTerritory, 0x0007}, {L::German, L::Germany, 0x0407},
    {L::German, L::Switzerland, 0x0807}, {L::German, L::Austria, 0x0C07},
    {L::German, L::Luxembourg, 0x1007}, {L::German, L::Liechtenstein, 0x1407},
    {L::Greek, L::AnyTerritory, 0x0008}, {L::Greek, L::Greece, 0x0408},
    {L::Hebrew, L::AnyTerritory, 0x000D}, {L::Hebrew, L::Israel, 0x040D},
    {L::Hindi, L::AnyTerritory, 0x0039}, {L::Hindi, L::India, 0x0439},
    {L::Hungarian, L::AnyTerritory, 0x000E}, {L::Hungarian, L::Hungary, 0x040E},
    {L::Icelandic, L::AnyTerritory, 0x000F}, {L::Icelandic, L::Iceland, 0x040F},
    {L::Indonesian, L::AnyTerritory, 0x0021}, {L::Indonesian, L::Indonesia, 0x0421},
    {L::Irish, L::AnyTerritory, 0x003C}, {L::Irish, L::Ireland, 0x083C},
    {L::Italian, L::AnyTerritory, 0x0010}, {L::Italian, L::Italy, 0x0410},
    {L::Italian, L::Switzerland, 0x0810},
    {L::Japanese, L::AnyTerritory, 0x0011}, {L::Japanese, L::Japan, 0x0411},
    {L::Kazakh, L::AnyTerritory, 0x003F}, {L::Kazakh, L::Kazakhstan, 0x043F},
    {L::Korean, L::AnyTerritory, 0x0012}, {L::Korean, L::SouthKorea, 0x0412},
    {L::Latvian, L::AnyTerritory, 0x0026}, {L::Latvian, L::Latvia, 0x0426},
    {L::Lithuanian, L::AnyTerritory, 0x0027}, {L::Lithuanian, L::Lithuania, 0x0427},
    {L::Luxembourgish, L::AnyTerritory, 0x006E}, {L::Luxembourgish, L::Luxembourg, 0x046E},
    {L::Macedonian, L::AnyTerritory, 0x002F}, {L::Macedonian, L::Macedonia, 0x042F},
    {L::Malay, L::AnyTerritory, 0x003E}, {L::Malay, L::Malaysia, 0x043E},
    {L::Maltese, L::AnyTerritory, 0x003A}, {L::Maltese, L::Malta, 0x043A},
    {L::NorwegianBokmal, L::AnyTerritory, 0x0014}, {L::NorwegianBokmal, L::Norway, 0x0414},
    {L::NorwegianNynorsk, L::AnyTerritory, 0x0014}, {L::NorwegianNynorsk, L::Norway, 0x0814},
    {L::Polish, L::AnyTerritory, 0x0015}, {L::Polish, L::Poland, 0x0415},
    {L::Portuguese, L::AnyTerritory, 0x0016}, {L::Portuguese, L::Brazil, 0x0416},
    {L::Portuguese, L::Portugal, 0x0816},
    {L::Romanian, L::AnyTerritory, 0x0018}, {L::Romanian, L::Romania, 0x0418},
    {L::Romansh, L::AnyTerritory, 0x0017}, {L::Romansh, L::Switzerland, 0x0417},
    {L::Russian, L::AnyTerritory, 0x0019}, {L::Russian, L::Russia, 0x0419},
    {L::Serbian, L::AnyTerritory, 0x001A}, {L::Serbian, L::Serbia, 0x281A},
    {L::Slovak, L::AnyTerritory, 0x001B}, {L::Slovak, L::Slovakia, 0x041B},
    {L::Slovenian, L::AnyTerritory, 0x0024}, {L::Slovenian, L::Slovenia, 0x0424},
    {L::Spanish, L::AnyTerritory, 0x000A}, {L::Spanish, L::Spain, 0x0C0A},
    {L::Spanish, L::Mexico, 0x080A}, {L::Spanish, L::Guatemala, 0x100A},
    {L::Spanish, L::CostaRica, 0x140A}, {L::Spanish, L::Panama, 0x180A},
    {L::Spanish, L::DominicanRepublic, 0x1C0A}, {L::Spanish, L::Venezuela, 0x200A},
    {L::Spanish, L::Colombia, 0x240A}, {L::Spanish, L::Peru, 0x280A},
    {L::Spanish, L::Argentina, 0x2C0A}, {L::Spanish, L::Ecuador, 0x300A},
    {L::Spanish, L::Chile, 0x340A}, {L::Spanish, L::Uruguay, 0x380A},
    {L::Spanish, L::Paraguay, 0x3C0A}, {L::Spanish, L::Bolivia, 0x400A},
    {L::Spanish, L::ElSalvador, 0x440A}, {L::Spanish, L::Honduras, 0x480A},
    {L::Spanish, L::Nicaragua, 0x4C0A}, {L::Spanish, L::PuertoRico, 0x500A},
    {L::Spanish, L::UnitedStates, 0x540A},
    {L::Swahili, L::AnyTerritory, 0x0041}, {L::Swahili, L::Kenya, 0x0441},
    {L::Swedish, L::AnyTerritory, 0x001D}, {L::Swedish, L::Sweden, 0x041D},
    {L::Swedish, L::Finland, 0x081D},
    {L::Thai, L::AnyTerritory, 0x001E}, {L::Thai, L::Thailand, 0x041E},
    {L::Turkish, L::AnyTerritory, 0x001F}, {L::Turkish, L::Turkey, 0x041F},
    {L::Ukrainian, L::AnyTerritory, 0x0022}, {L::Ukrainian, L::Ukraine, 0x0422},
    {L::Urdu, L::AnyTerritory, 0x0020}, {L::Urdu, L::Pakistan, 0x0420},
    {L::Vietnamese, L::AnyTerritory, 0x002A}, {L::Vietnamese, L::Vietnam, 0x042A},
    {L::Welsh, L::AnyTerritory, 0x0052}, {L::Welsh, L::UnitedKingdom, 0x0452},
};

// What Windows reports for a locale that has no identifier of its own.
constexpr uint16_t kCustomUnspecified = 0x1000;

QString hex4(uint16_t id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString languageId(QLocale::Language language, QLocale::Territory territory)
{
    if (language == QLocale::C)
        return hex4(0x0409);
    const Entry* neutral = nullptr;
    for (const Entry& e : kTable) {
        if (e.language != language)
            continue;
        if (e.territory == territory && territory != QLocale::AnyTerritory)
            return hex4(e.id);
        if (e.territory == QLocale::AnyTerritory)
            neutral = &e;
    }
    return hex4(neutral ? neutral->id : kCustomUnspecified);
}

QString languageId(const QLocale& locale)
{
    return languageId(locale.language(), locale.territory());
}

QString userLanguageId()
{
    if (const QString& id = platform::seams().userLanguageId; !id.isEmpty())
        return id;
    return languageId(QLocale::system());
}

QString languageCode(int16_t sprache)
{
    switch (sprache) {
    case 0: return QStringLiteral("de");
    case 2000: return QStringLiteral("sv");
    case 3000: return QStringLiteral("it");
    case 5000: return QStringLiteral("es");
    case 6000: return QStringLiteral("fr");
    default: return QStringLiteral("en");
    }
}

}  // namespace userlocale
