#include "services/media.h"

#include "errors/trap.h"
#include "platform/audio.h"
#include "platform/mci.h"
#include "platform/numbers.h"
#include "platform/sound.h"
#include "services/random.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Allgemein {

namespace {

Media* currentMedia = nullptr;

// What the procedures remember; a fresh, forgotten state without the
// program's media (nothing plays then either).
Media::Remembered& remembered()
{
    static thread_local Media::Remembered scratch;
    if (currentMedia)
        return currentMedia->remembered();
    scratch = {};
    return scratch;
}

void switchTimer2(bool on)
{
    if (const auto& timer2Switch = remembered().timer2Switch)
        timer2Switch(on);
}

// Remembers the order in which windows are shown, so that Shutdown can
// unload the one opened last first.
class WindowOrder : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow()) {
                order_.erase(std::remove_if(order_.begin(), order_.end(),
                                            [w](const QPointer<QWidget>& p) {
                                                return p.isNull() || p == w;
                                            }),
                             order_.end());
                order_.emplace_back(w);
            }
        }
        return false;
    }

    // Place in the opening order; -1 for a window never seen opening.
    int rank(const QWidget* w) const
    {
        for (size_t i = 0; i < order_.size(); ++i)
            if (order_[i] == w)
                return static_cast<int>(i);
        return -1;
    }

private:
    std::vector<QPointer<QWidget>> order_;
};

WindowOrder* windowOrder = nullptr;

void watchWindowOrder()
{
    if (!windowOrder) {
        windowOrder = new WindowOrder;
        windowOrder->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(windowOrder);
    }
}
Q_COREAPP_STARTUP_FUNCTION(watchWindowOrder)

// The windows that are open: shown top-level windows (menus, tool tips and
// other pop-ups are no windows of the game), the one opened last first.
std::vector<QPointer<QWidget>> openWindows()
{
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (!w->isWindow() || !w->isVisible() || type == Qt::Popup || type == Qt::ToolTip
            || type == Qt::Desktop)
            continue;
        found.push_back(w);
    }
    std::stable_sort(found.begin(), found.end(), [](const QWidget* a, const QWidget* b) {
        const int ra = windowOrder ? windowOrder->rank(a) : -1;
        const int rb = windowOrder ? windowOrder->rank(b) : -1;
        return ra > rb;
    });
    return {found.begin(), found.end()};
}

// 16-bit integer arithmetic: Overflow outside -32768..32767.
int32_t checked16(int32_t value)
{
    if (value < -32768 || value > 32767)
        errors::raise(errors::ErrOverflow);
    return value;
}

}  // namespace

Media::Media(media::Engine::Sound sound) : engine_(sound)
{
    currentMedia = this;
}

Media::~Media()
{
    engine_.shutdown();
    if (currentMedia == this)
        RemoveTemporaryFiles();
    if (currentMedia == this)
        currentMedia = nullptr;
}

Media* Media::current()
{
    return currentMedia;
}

void MakeMusic()
{
    errors::Procedure proc{"Allgemein", "MakeMusic"};
    int16_t track = 0;
    Media::Remembered& r = remembered();
    proc.run({
        [&] {
            // No track follows itself.
            do {
                track = static_cast<int16_t>(Zufallszahl(1, 6) + 1000);
            } while (track == r.lastTrack);
        },
        [&] { r.lastTrack = track; },
        [&] { r.musicFile = GetTempDir() + QStringLiteral("~tmp.mid"); },
        // Kept as it is while the open track still holds it.
        [&] { ModResFiles::SaveResItemToDisk(track, QStringLiteral("midi"), r.musicFile); },
        // Fails while a track is open under the alias; that one then plays on.
        [&] { mciSendString(QStringLiteral("open sequencer!") + r.musicFile + QStringLiteral(" alias midi")); },
        [&] { mciSendString(QStringLiteral("play midi")); },
        // The window's pending events run when this returns to the event
        // loop, not here in the middle of a procedure: the track plays on
        // the engine's own threads meanwhile.
        [] {},
        [&] {
            if (settings().MusicEndless())
                switchTimer2(true);
        },
    });
}

void MusicWatchTick()
{
    errors::Procedure proc{"frmTavoro", "Timer2_Timer"};
    QString lengthText;
    QString positionText;
    proc.run({
        [&] { mciSendString(QStringLiteral("status midi length"), &lengthText); },
        [&] { mciSendString(QStringLiteral("status midi position"), &positionText); },
        [&] {
            // Still playing: nothing to do this second.
            if (numbers::Val(lengthText) > numbers::Val(positionText))
                proc.leave();
        },
        [&] { mciSendString(QStringLiteral("close midi")); },
        [&] {
            if (!settings().MusicEndless())
                switchTimer2(false);
            else
                MakeMusic();
        },
    });
}

void setMusicTimerSwitch(std::function<void(bool)> enableTimer2)
{
    remembered().timer2Switch = std::move(enableTimer2);
}

void PlayWAV(int16_t number)
{
    errors::Procedure proc{"Allgemein", "PlayWAV"};
    QByteArray& soundBuf = remembered().soundBuf;
    proc.run({
        [&] {
            // A sound that cannot be loaded leaves an empty buffer, so that
            // going on after the failure plays nothing rather than the old sound.
            soundBuf.clear();
            soundBuf = resources::load(QStringLiteral("WAV"), number);
        },
        [&] { sound::playInBackground(soundBuf); },
    });
}

int16_t Zufallszahl(int16_t low, int16_t high)
{
    errors::Procedure proc{"Allgemein", "Zufallszahl"};
    int16_t result = 0;
    proc.run({
        [&] { Randomize(); },
        [&] {
            const int32_t span = checked16(checked16(int32_t(high) - low) + 1);
            result = numbers::CInt(std::floor(span * Rnd() + low));
        },
    });
    return result;
}

void Shutdown()
{
    errors::Procedure proc{"Allgemein", "Shutdown"};
    proc.runSkippingFailures({
        [&] {
            for (const QPointer<QWidget>& w : openWindows()) {
                try {
                    if (w)
                        w->close();
                } catch (const errors::ProgramEnded&) {
                    throw;
                } catch (...) {
                }
            }
        },
        [&] {
            if (openWindows().empty()) {
                mciSendString(QStringLiteral("close midi"));
                audio::shutdown();
                QCoreApplication::quit();
            }
        },
        [&] {
            if (!openWindows().empty())
                errors::endProgram();
        },
    });
}

void RemoveTemporaryFiles()
{
    // Only the names this run settled: a run that wrote nothing leaves the
    // folder as it found it.
    const QString written[] = {remembered().musicFile, services::seams().languageFile};
    for (const QString& file : written) {
        if (file.isEmpty() || !QDir::isAbsolutePath(file))
            continue;
        QFile::remove(file);
        // Fails while another game's files are still in it.
        QDir().rmdir(QFileInfo(file).absolutePath());
    }
}

int16_t lastTrack()
{
    return remembered().lastTrack;
}

QString musicFilePath()
{
    return remembered().musicFile;
}

const QByteArray& soundBuffer()
{
    return remembered().soundBuf;
}

void resetMediaForTesting()
{
    Media::Remembered& r = remembered();
    r.lastTrack = 0;
    r.musicFile.clear();
    r.soundBuf.clear();
}

}  // namespace Allgemein
