#include "services/statistics.h"

#include "platform/appinfo.h"
#include "platform/files.h"
#include "services/seams.h"
#include "services/settings.h"

#include <QByteArray>
#include <QDateTime>

#include <atomic>
#include <cerrno>

namespace statistics {

QString path()
{
    return appinfo::dataFolder() + QStringLiteral("/") + appinfo::title() + QStringLiteral(" statistics.txt");
}

bool record(int size, game::Mode mode, const QString& picture, int moves, int seconds, Outcome outcome,
            std::optional<int> shortest)
{
    return record(Record{size, mode, outcome, moves, seconds, QDateTime::currentSecsSinceEpoch(), shortest,
                         picture.toStdString()});
}

bool record(const Record& game)
{
    const QString at = path();
    files::FolderLock lock(at);
    QByteArray bytes;
    // A file there but unreadable is left alone rather than begun anew.
    if (!files::readRegular(at, bytes) && errno != ENOENT)
        return false;
    if (bytes.isEmpty())
        bytes = QByteArray(game::statistics::Header.data(), qsizetype(game::statistics::Header.size())) + '\n';
    else if (!bytes.endsWith('\n'))
        bytes += '\n';  // a line cut off by a crash stays a damaged line of its own
    const std::string line = game::statistics::encodeLine(game);
    return files::replace(at, {QByteArrayView(bytes), QByteArrayView(line.data(), qsizetype(line.size())),
                               QByteArrayView("\n", 1)});
}

game::statistics::Decoded load()
{
    QByteArray bytes;
    if (!files::readRegular(path(), bytes))
        return {};
    return game::statistics::decode(std::string_view(bytes.constData(), size_t(bytes.size())));
}

QString damagedReportOnce(int damaged)
{
    static std::atomic<bool> reported{false};
    if (damaged <= 0 || reported.exchange(true))
        return {};
    return services::seams().GetLang(int16_t(Allgemein::settings().Sprache() + 351)).arg(damaged);
}

}  // namespace statistics
