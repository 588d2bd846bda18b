#pragma once
// The media worker: one thread, made at the first job, that does the slow
// parts of sound and music one job after the other (opening the audio
// device, reading the SoundFont and a track's samples, freeing a player), so
// that the user interface never waits for them.

#include <functional>

namespace worker {

// Queues a job; jobs run in the order posted.
void post(std::function<void()> job);

// Gives the calling thread a lower share of the processor than the user
// interface's thread (a nice value of 10 above it), once per thread: work
// done ahead in the background then fills idle time instead of slowing the
// window down on a machine with few cores. The media worker and the threads
// that draw artwork ahead call it.
void lowerThreadPriority();

// Waits until every job posted so far has run (tests, and the end of the
// program's audio).
void waitUntilIdle();

}  // namespace worker
