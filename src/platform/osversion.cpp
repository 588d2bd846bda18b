#include "platform/osversion.h"

#include "platform/seams.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <sys/utsname.h>

namespace osversion {

void parseKernelRelease(const QString& release, SystemFacts& facts)
{
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = numbers.match(release);
    facts.major = m.captured(1).toUInt();
    facts.minor = m.captured(2).toUInt();
    facts.build = m.captured(3).toUInt();
}

QString prettyName(const QString& osRelease)
{
    const QStringList lines = osRelease.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (!line.startsWith(QLatin1String("PRETTY_NAME=")))
            continue;
        QString value = line.mid(12).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        value.replace(QLatin1String("\\\""), QLatin1String("\""));
        return value;
    }
    return {};
}

SystemFacts query()
{
    if (const auto& facts = platform::seams().systemFacts)
        return facts();
    SystemFacts facts;
    facts.platform = QStringLiteral("Linux");
    utsname u{};
    if (uname(&u) == 0) {
        facts.platform = QString::fromLocal8Bit(u.sysname);
        parseKernelRelease(QString::fromLocal8Bit(u.release), facts);
    }
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile f(QString::fromLatin1(path));
        if (f.open(QIODevice::ReadOnly)) {
            facts.serviceText = prettyName(QString::fromUtf8(f.readAll()));
            break;
        }
    }
    return facts;
}

}  // namespace osversion
