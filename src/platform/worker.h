#pragma once
// The media worker: one thread, made at the first job, that does the slow
// parts of sound and music one job after the other (opening the audio
// device, reading the SoundFont and a track's samples, freeing a player), so
// that the user interface never waits for them. It runs with a lower share of
// the processor than the user interface's thread (a nice value of 10 above
// it), so that its loading fills idle time instead of slowing the window down
// on a machine with few cores.

#include <functional>

namespace worker {

// Queues a job; jobs run in the order posted.
void post(std::function<void()> job);

// Jobs posted from now on wait until release(): the program holds its media
// work back while its window is first drawn, so that loading libraries and
// decoding sounds take no processor time from it.
void holdBack();
void release();

// Waits until every job posted so far has run, releasing held-back jobs first
// (tests, and the end of the program's audio).
void waitUntilIdle();

}  // namespace worker
