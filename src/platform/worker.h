#pragma once
// The media worker: one thread, made at the first job, that does the slow
// parts of sound and music one job after the other (opening the audio
// device, reading the SoundFont and a track's samples, freeing a player), so
// that the user interface never waits for them.

#include <functional>

namespace worker {

// Queues a job; jobs run in the order posted.
void post(std::function<void()> job);

// Waits until every job posted so far has run (tests, and the end of the
// program's audio).
void waitUntilIdle();

}  // namespace worker
