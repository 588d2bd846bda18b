// The language table reader: any bytes as the language file "~tmp.lng"; every
// lookup gives the table's text under its key (at most 254 characters) or the
// empty text, and never a run-time failure.

#include "fuzz_support.h"

#include "platform/profile.h"
#include "services/language.h"
#include "services/seams.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::failOnReportedErrors();
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::scratchFolder() + QStringLiteral("/~tmp.lng");
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(bytes) == bytes.size());
    }
    services::seams().languageFile = path;

    const profile::ProfileFile table(bytes);
    auto lookUp = [&](int16_t number) {
        const QString text = Allgemein::GetLang(number);
        FUZZ_CHECK(text.size() <= 254);
        const QString key = number < 0 ? QStringLiteral("-%1").arg(-int{number}, 4, 10, QLatin1Char('0'))
                                       : QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
        FUZZ_CHECK(text == table.value(QStringLiteral("Lang"), key).value_or(QString()).left(254));
    };
    for (const int16_t language : languagetable::kLanguages) {
        for (const int16_t message : {106, 124, 166, 999})
            lookUp(static_cast<int16_t>(language + message));
    }
    for (const int16_t number : {0, -1, 32767, -32768})
        lookUp(number);
    return 0;
}
