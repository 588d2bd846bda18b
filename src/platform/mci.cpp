#include "platform/mci.h"

#include "platform/audio.h"
#include "platform/seams.h"
#include "platform/smf.h"
#include "platform/synth.h"
#include "platform/worker.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <new>
#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mci {

namespace {

const QString kAlias = QStringLiteral("midi");
constexpr off_t kLargestTrack = 16 * 1024 * 1024;

int64_t nowMs()
{
    if (const auto& clock = platform::seams().mciClock)
        return clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A track's player as the worker makes it. Lock order: `m`, then the audio lock.
struct Loading {
    std::mutex m;
    bool done = false;          // the worker has finished (player or none)
    bool cancelled = false;     // closed before the worker finished
    bool startWanted = false;   // "play" came before the player was ready
    std::unique_ptr<synth::MidiPlayer> player;  // null: plays silently
};

// Starts a ready player; `l.m` is held.
void startPlayer(Loading& l)
{
    synth::MidiPlayer* p = l.player.get();
    audio::AudioLock lock;
    p->start();
    audio::setMusic([p](float* out, int frames) { p->render(out, frames); });
}

struct OpenTrack {
    int fd = -1;  // holds the shared lock
    smf::Timing timing;
    std::shared_ptr<Loading> loading;  // null: plays silently
    bool started = false;
    int64_t startedAt = 0;
};

// Never freed: a track still open when the process ends is left to it.
std::unique_ptr<OpenTrack>& track()
{
    static auto* t = new std::unique_ptr<OpenTrack>;
    return *t;
}

void release(std::unique_ptr<OpenTrack>& t)
{
    if (!t)
        return;
    if (t->loading) {
        std::unique_ptr<synth::MidiPlayer> player;
        {
            std::lock_guard lock(t->loading->m);
            t->loading->cancelled = true;
            player = std::move(t->loading->player);
        }
        if (player) {
            audio::setMusic(nullptr);
            // The worker frees it: the synthesizer may read samples again.
            worker::post([p = std::shared_ptr<synth::MidiPlayer>(std::move(player))]() mutable {
                p.reset();
            });
        }
    }
    if (t->fd >= 0) {
        ::flock(t->fd, LOCK_UN);
        ::close(t->fd);
    }
    t.reset();
}

bool readAll(int fd, QByteArray& out)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kLargestTrack)
        return false;
    out.resize(static_cast<qsizetype>(st.st_size));
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(fd, out.data() + done, static_cast<size_t>(out.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    out.resize(done);
    return true;
}

int open(const QString& element, const QString& alias)
{
    if (alias.compare(kAlias, Qt::CaseInsensitive) != 0)
        return InvalidDeviceName;
    if (track())
        return DuplicateAlias;
    static const QString type = QStringLiteral("sequencer!");
    if (!element.startsWith(type, Qt::CaseInsensitive))
        return UnrecognizedKeyword;
    QString path = element.mid(type.size());
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        return FileNotFound;

    auto t = std::make_unique<OpenTrack>();
    t->fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (t->fd < 0)
        return FileNotFound;
    // A writer holds the file: what we would read may be half of it.
    if (::flock(t->fd, LOCK_SH | LOCK_NB) != 0) {
        release(t);
        return FileNotFound;
    }
    QByteArray data;
    if (!readAll(t->fd, data)) {
        release(t);
        return FileNotFound;
    }
    std::optional<smf::Timing> timing =
        smf::Timing::parse(std::string_view(data.constData(), static_cast<size_t>(data.size())));
    if (!timing) {
        release(t);
        return InvalidFile;
    }
    t->timing = *timing;
    if (!synth::findSoundFont().isEmpty()) {
        // The synthesizer and the track's samples are made ready on the worker;
        // the music starts when they are.
        auto loading = std::make_shared<Loading>();
        t->loading = loading;
        worker::post([loading, data, presets = timing->presets()] {
            std::unique_ptr<synth::MidiPlayer> p;
            if (audio::ensureOpen())
                p = synth::MidiPlayer::create(data, presets);
            std::lock_guard lock(loading->m);
            loading->done = true;
            if (loading->cancelled)
                return;  // freed here, on the worker
            loading->player = std::move(p);
            if (loading->player && loading->startWanted)
                startPlayer(*loading);
        });
    }
    track() = std::move(t);
    return Ok;
}

int play()
{
    OpenTrack& t = *track();
    if (t.started)
        return Ok;  // playing on, or resting at its end
    t.started = true;
    t.startedAt = nowMs();
    if (t.loading) {
        std::lock_guard lock(t.loading->m);
        if (!t.loading->done)
            t.loading->startWanted = true;  // started by the worker when ready
        else if (t.loading->player)
            startPlayer(*t.loading);
    }
    return Ok;
}

int64_t position(const OpenTrack& t)
{
    const int64_t length = t.timing.lengthMs();
    if (!t.started)
        return 0;
    std::unique_lock<std::mutex> loadingLock;
    if (t.loading) {
        loadingLock = std::unique_lock(t.loading->m);
        if (!t.loading->done)
            return 0;  // the music starts a little later
    }
    const synth::MidiPlayer* player = t.loading ? t.loading->player.get() : nullptr;
    if (!player)
        return std::clamp<int64_t>(nowMs() - t.startedAt, 0, length);
    audio::AudioLock lock;
    const int64_t tick = player->currentTick();
    if (player->finished() || tick >= t.timing.totalTicks())
        return length;
    return std::min(t.timing.tickToMs(tick), length);
}

int dispatch(const QString& command, QString& answer)
{
    const QString trimmed = command.trimmed();
    if (trimmed.isEmpty())
        return MissingCommandString;
    const QStringList words = trimmed.split(QRegularExpression(QStringLiteral("\\s+")));
    const QString verb = words.first().toLower();

    if (verb == u"open") {
        // open <element> alias <name>; the element may hold blanks.
        static const QRegularExpression form(
            QStringLiteral("^open\\s+(.+?)\\s+alias\\s+(\\S+)$"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = form.match(trimmed);
        if (!m.hasMatch())
            return UnrecognizedKeyword;
        return open(m.captured(1), m.captured(2));
    }
    if (verb != u"play" && verb != u"status" && verb != u"close")
        return UnrecognizedCommand;
    if (words.size() < 2 || words[1].compare(kAlias, Qt::CaseInsensitive) != 0 || !track())
        return InvalidDeviceName;

    if (verb == u"play") {
        return words.size() == 2 ? play() : UnrecognizedKeyword;
    }
    if (verb == u"close") {
        if (words.size() != 2)
            return UnrecognizedKeyword;
        release(track());
        return Ok;
    }
    // status
    if (words.size() != 3)
        return UnrecognizedKeyword;
    const QString item = words[2].toLower();
    if (item == u"length") {
        answer = QString::number(track()->timing.lengthMs());
        return Ok;
    }
    if (item == u"position") {
        answer = QString::number(position(*track()));
        return Ok;
    }
    return UnrecognizedKeyword;
}

}  // namespace

bool audible()
{
    if (!track() || !track()->loading)
        return false;
    std::lock_guard lock(track()->loading->m);
    return track()->loading->player != nullptr;
}

bool loading()
{
    if (!track() || !track()->loading)
        return false;
    std::lock_guard lock(track()->loading->m);
    return !track()->loading->done;
}

void waitForWorker()
{
    worker::waitUntilIdle();
}

}  // namespace mci

int mciSendString(const QString& command, QString* returnText)
{
    QString answer;
    int result;
    try {
        result = mci::dispatch(command, answer);
    } catch (const std::bad_alloc&) {
        result = mci::OutOfMemory;
    } catch (...) {
        result = mci::InternalError;
    }
    if (returnText)
        *returnText = result == mci::Ok ? answer : QString();
    return result;
}
