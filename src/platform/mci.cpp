#include "platform/mci.h"

#include "platform/audio.h"
#include "platform/seams.h"
#include "platform/smf.h"
#include "platform/synth.h"
#include "platform/media_engine.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
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

// A track's player as the workers make it: the device worker opens the
// device, the decoder makes the player, the device worker starts it.
struct Loading {
    std::mutex m;               // never held while the device opens or closes
    bool cancelled = false;     // closed before the workers finished
    bool startWanted = false;   // "play" came before the player was ready
    std::unique_ptr<synth::MidiPlayer> player;  // null: plays silently
    // The snapshot the window reads.
    std::atomic<bool> done{false};      // the workers have finished (player or none)
    std::atomic<bool> audible{false};   // a player was made
    std::atomic<int64_t> tick{0};       // where the audio thread has rendered to
    std::atomic<bool> finished{false};  // the player stopped on its own
};

// Starts a ready player, on the device worker.
void startOnDevice(const std::shared_ptr<Loading>& l)
{
    if (!audio::ensureOpen())
        return;
    std::lock_guard lock(l->m);
    if (l->cancelled || !l->player)
        return;
    synth::MidiPlayer* p = l->player.get();
    {
        audio::AudioLock audioLock;
        p->start();
    }
    Loading* snapshot = l.get();  // lives while its player does: the renderer goes first
    audio::setMusic([p, snapshot](float* out, int frames) {
        p->render(out, frames);
        snapshot->tick.store(p->currentTick(), std::memory_order_relaxed);
        snapshot->finished.store(p->finished(), std::memory_order_relaxed);
    });
}

// Makes the track's player, on the decoder; started on the device worker
// when "play" came first.
void makePlayer(const std::shared_ptr<Loading>& loading, const QByteArray& data,
                const std::vector<smf::Timing::Preset>& presets)
{
    std::unique_ptr<synth::MidiPlayer> p = synth::MidiPlayer::create(data, presets);
    std::lock_guard lock(loading->m);
    if (loading->cancelled) {
        loading->done = true;
        return;  // freed here, on the decoder
    }
    loading->player = std::move(p);
    loading->audible = loading->player != nullptr;
    loading->done = true;
    if (loading->player && loading->startWanted)
        media::onDevice([loading] { startOnDevice(loading); });
}

}  // namespace

struct Alias::Track {
    int fd = -1;  // holds the shared lock
    smf::Timing timing;
    std::shared_ptr<Loading> loading;  // null: plays silently
    bool started = false;
    int64_t startedAt = 0;
};

namespace {

using OpenTrack = Alias::Track;

// The running engine's open track; none without an engine.
std::unique_ptr<OpenTrack>& track()
{
    static std::unique_ptr<OpenTrack> none;
    media::Engine* e = media::Engine::current();
    return e ? e->alias().track() : none;
}

void release(std::unique_ptr<OpenTrack>& t, bool onThisThread = false)
{
    if (!t)
        return;
    if (t->loading) {
        std::shared_ptr<synth::MidiPlayer> player;
        std::shared_ptr<Loading> loading = t->loading;
        {
            std::lock_guard lock(loading->m);
            loading->cancelled = true;
            player = std::move(loading->player);
        }
        if (player) {
            // Taken off the device and freed on the device worker (the
            // synthesizer may read samples again), or here at shutdown.
            auto takeOff = [player, loading]() mutable {
                audio::setMusic(nullptr);
                player.reset();
            };
            if (onThisThread)
                takeOff();
            else
                media::onDevice(std::move(takeOff));
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
    if (!media::Engine::current())
        return InternalError;
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
        // The device is opened at normal priority, then the synthesizer and
        // the track's samples are made ready at low priority; the music
        // starts when they are.
        auto loading = std::make_shared<Loading>();
        t->loading = loading;
        media::onDecoder([loading, data, presets = timing->presets()] {
            audio::loadLibraries();
            media::onDevice([loading, data, presets] {
                if (!audio::ensureOpen()) {
                    loading->done = true;  // plays silently
                    return;
                }
                media::onDecoder([loading, data, presets] { makePlayer(loading, data, presets); });
            });
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
            t.loading->startWanted = true;  // started by the workers when ready
        else if (t.loading->player)
            media::onDevice([loading = t.loading] { startOnDevice(loading); });
    }
    return Ok;
}

// From the snapshot: never waits for the device or the workers.
int64_t position(const OpenTrack& t)
{
    const int64_t length = t.timing.lengthMs();
    if (!t.started)
        return 0;
    if (t.loading && !t.loading->done)
        return 0;  // the music starts a little later
    if (!t.loading || !t.loading->audible)
        return std::clamp<int64_t>(nowMs() - t.startedAt, 0, length);
    const int64_t tick = t.loading->tick.load(std::memory_order_relaxed);
    if (t.loading->finished.load(std::memory_order_relaxed) || tick >= t.timing.totalTicks())
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

Alias::Alias() = default;

Alias::~Alias()
{
    closeNow();
}

void Alias::closeNow()
{
    release(track_, true);
}

bool audible()
{
    return track() && track()->loading && track()->loading->audible;
}

bool loading()
{
    return track() && track()->loading && !track()->loading->done;
}

void waitForWorker()
{
    if (media::Engine* e = media::Engine::current())
        e->waitUntilIdle();
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
