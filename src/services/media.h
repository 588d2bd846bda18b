#pragma once
// Music, sound effects, random numbers and the orderly end of the program.
//
// The music is one of six MIDI tracks (MIDI 1001-1006), written to
// "~tmp.mid" in the temporary folder and played under the media-control alias
// "midi". In the endless mode the main window's Timer2 watches the track every
// second (MusicWatchTick) and starts the next one when it has ended.

#include "platform/media_engine.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace Allgemein {

// The program's media: the engine that plays them and what the procedures
// here remember between calls. The program makes one after the application
// object and ends it before that (the destructor shuts the engine down);
// without one the procedures below play nothing.
class Media {
public:
    explicit Media(media::Engine::Sound sound = media::Engine::Sound::Now);
    ~Media();
    Media(const Media&) = delete;
    Media& operator=(const Media&) = delete;

    media::Engine& engine() { return engine_; }
    static Media* current();

    struct Remembered {
        int16_t lastTrack = 0;
        QString musicFile;
        QByteArray soundBuf;
        std::function<void(bool)> timer2Switch;
    };
    Remembered& remembered() { return remembered_; }

private:
    media::Engine engine_;
    Remembered remembered_;
};

// Starts a new random track; never the one played last. While a track is
// still open it plays on. In the endless mode it switches Timer2 on.
void MakeMusic();

// What Timer2_Timer does each second: when the track has ended, it closes the
// device and, in the endless mode, starts the next track; otherwise it
// switches Timer2 off. Runs under the trap as "frmTavoro" / "Timer2_Timer".
void MusicWatchTick();

// The main window hands in how Timer2 is switched on (true) and off (false).
// Until then the switch does nothing. Kept by the program's media.
void setMusicTimerSwitch(std::function<void(bool)> enableTimer2);

// Plays the WAV resource of that number asynchronously; a new sound cuts off
// the one still playing. It does not look at PlaySound: callers do.
void PlayWAV(int16_t number);

// A random whole number in low..high, the generator re-seeded from the clock
// at every call.
int16_t Zufallszahl(int16_t low, int16_t high);

// Ends the program: unloads every open window, the one opened last first;
// with none left, closes the music device and the audio output and leaves the
// event loop; with a window still open, ends the program at once.
void Shutdown();

// Removes the temporary files of the run, the music track and the language
// table, and their folder when nothing else is left in it. The program's
// media do it when they end, after the music device has been closed.
void RemoveTemporaryFiles();

// The track played last (0 before the first).
int16_t lastTrack();

// The music file of the last track (temporary folder + "~tmp.mid").
QString musicFilePath();

// The wave data of the sound played last (kept until the next sound).
const QByteArray& soundBuffer();

// Tests start from a clean state: no last track, an empty sound buffer.
void resetMediaForTesting();

}  // namespace Allgemein
