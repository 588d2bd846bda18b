#include "errors/protocol.h"

#include "platform/ansi.h"
#include "platform/appinfo.h"
#include "platform/files.h"


namespace errors {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Tab = QStringLiteral("\t");

QString separator()
{
    return QString(70, QLatin1Char('-'));
}

QString indent()
{
    return QString(10, QLatin1Char(' '));
}

QString inDataFolder(const QString& extension)
{
    QString folder = appinfo::dataFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + appinfo::exeBaseName() + extension;
}

}  // namespace

QString buildProtocol(const ProtocolFields& f, const QDateTime& when,
                      const osversion::SystemFacts& system)
{
    QString p;
    auto line = [&p](const QString& text) { p += text + CrLf; };

    line(separator());
    line(QStringLiteral("F E H L E R P R O T O K O L L vom ErrorPartner"));
    line(separator());
    line(f.progInfoCaption.toUpper());
    line(indent() + f.progInfo);
    line(separator());
    line(f.errorCaption.toUpper());
    for (size_t i = 0; i < f.errTitles.size(); ++i)
        line(indent() + f.errTitles[i] + Tab + f.errValues[i]);
    line(indent() + QStringLiteral("Datum/Uhrzeit:") + Tab
         + when.toString(QStringLiteral("MM-dd-yyyy")) + QStringLiteral(" / ")
         + when.toString(QStringLiteral("HH:mm:ss")));
    line(separator());
    line(f.callStackCaption.toUpper());
    for (const QString& entry : f.callStack)
        line(indent() + entry);
    line(separator());
    line(QStringLiteral("SYSTEMINFO:"));
    line(indent() + QStringLiteral("Plattform:") + Tab + system.platform);
    line(indent() + QStringLiteral("Version:") + Tab + QString::number(system.major)
         + QLatin1Char('.') + QString::number(system.minor));
    line(indent() + QStringLiteral("Build:") + Tab + QString::number(system.build & 0xFFFFu)
         + QStringLiteral("   ") + system.serviceText);
    line(separator());
    return p;
}

QStringList wrapForPrinting(const QString& protocol)
{
    constexpr qsizetype LineWidth = 73;
    const QString continuation(20, QLatin1Char(' '));
    QStringList out;

    QString text = protocol + CrLf;
    qsizetype lineEnd;
    while ((lineEnd = text.indexOf(CrLf)) >= 0) {
        QString source = text.left(lineEnd) + QLatin1Char(' ');
        text.remove(0, lineEnd + 2);

        QString outLine;
        qsizetype width = 0;
        qsizetype blank;
        while ((blank = source.indexOf(QLatin1Char(' '))) >= 0) {
            const QString word = source.left(blank + 1);
            source.remove(0, blank + 1);
            qsizetype newWidth = width + word.size();
            if (newWidth > LineWidth) {
                if (!outLine.isEmpty()) {
                    out << outLine;
                    outLine = continuation;
                }
                newWidth = word.size();
            }
            outLine += word;
            width = newWidth;
        }
        if (!outLine.isEmpty())
            out << outLine;
    }
    return out;
}

QString LPSTRToVBString(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? QString() : text.left(nul);
}

QString logFilePath()
{
    return inDataFolder(QStringLiteral(".EPT"));
}

QString savedProtocolPath()
{
    return inDataFolder(QStringLiteral(".ERR"));
}

bool appendProtocol(const QString& path, const QString& protocol)
{
    try {
        return files::append(path, ansi::toAnsi(protocol + CrLf));
    } catch (...) {
        return false;
    }
}

bool writeProtocol(const QString& path, const QString& protocol)
{
    try {
        return files::replace(path, ansi::toAnsi(protocol + CrLf));
    } catch (...) {
        return false;
    }
}

}  // namespace errors
