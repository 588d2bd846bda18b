#include "services/player_record.h"

#include "platform/files.h"
#include "services/seams.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace Allgemein {

namespace {

constexpr qint64 kLargestRecord = 64 * 1024;
// Beyond any screen, and far from the ends of an int.
constexpr int kLargestCoordinate = 100000;

const QString kStart = QStringLiteral("Start");
const QString kWindow = QStringLiteral("Window");

std::optional<bool> readBool(const std::optional<QString>& value)
{
    if (!value)
        return std::nullopt;
    if (value->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

}  // namespace

QString PlayerRecord::path()
{
    if (const QString& file = services::seams().startMemoryFile; !file.isEmpty())
        return file;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Tavoro/Tavoro.conf");
}

PlayerRecord::PlayerRecord()
{
    QByteArray bytes;
    if (files::readRegular(path(), bytes, kLargestRecord))
        file_ = profile::ProfileFile(bytes);
}

bool PlayerRecord::startedBefore() const
{
    return readBool(file_.value(kStart, QStringLiteral("StartedBefore"))).value_or(false);
}

void PlayerRecord::setStartedBefore()
{
    file_.setValue(kStart, QStringLiteral("StartedBefore"), QStringLiteral("true"));
}

std::optional<QRect> PlayerRecord::windowPlace() const
{
    const std::optional<QString> value = file_.value(kWindow, QStringLiteral("Normal"));
    if (!value)
        return std::nullopt;
    static const QRegularExpression form(
        QStringLiteral("^@Rect\\((-?\\d{1,9}) (-?\\d{1,9}) (\\d{1,9}) (\\d{1,9})\\)$"));
    const QRegularExpressionMatch m = form.match(*value);
    if (!m.hasMatch())
        return std::nullopt;
    int n[4];
    for (int i = 0; i < 4; ++i) {
        n[i] = m.captured(i + 1).toInt();
        if (std::abs(n[i]) > kLargestCoordinate)
            return std::nullopt;
    }
    const QRect r(n[0], n[1], n[2], n[3]);
    return r.isValid() ? std::optional<QRect>(r) : std::nullopt;
}

std::optional<bool> PlayerRecord::windowMaximized() const
{
    return readBool(file_.value(kWindow, QStringLiteral("Maximized")));
}

void PlayerRecord::setWindow(const QRect& normal, bool maximized)
{
    file_.setValue(kWindow, QStringLiteral("Normal"),
                   QStringLiteral("@Rect(%1 %2 %3 %4)")
                       .arg(normal.x()).arg(normal.y()).arg(normal.width()).arg(normal.height()));
    file_.setValue(kWindow, QStringLiteral("Maximized"),
                   maximized ? QStringLiteral("true") : QStringLiteral("false"));
}

bool PlayerRecord::store() const
{
    const QString file = path();
    QDir().mkpath(QFileInfo(file).absolutePath());
    return files::replace(file, file_.bytes());
}

}  // namespace Allgemein
