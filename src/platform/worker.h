#pragma once
// A worker: one thread, made at the first job, that runs jobs one after the
// other in the order posted. The media engine keeps two: one of normal
// priority that opens and closes the audio device (the device's own mixing
// thread inherits the priority of the thread that opens it), and one that
// decodes sounds and reads the music's samples with a lower share of the
// processor (a nice value of 10 above the user interface's), so that its
// loading fills idle time instead of slowing the window down on a machine
// with few cores.
//
// It is the one way the game starts work on a thread of its own.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace worker {

enum class Priority { Normal, Low };

class Worker {
public:
    // `atThreadEnd` runs on the thread as it ends (freeing what libraries
    // keep for each thread).
    explicit Worker(Priority priority, std::function<void()> atThreadEnd = {});
    // Stops it (see stop()).
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Queues a job; jobs run in the order posted. After stop() a job is
    // dropped (freed on the caller's thread) and false returned.
    bool post(std::function<void()> job);

    // Jobs posted from now on wait until release().
    void holdBack();
    void release();

    // Waits until every job posted so far has run, releasing held-back jobs
    // first. Not from the worker's own thread.
    void waitUntilIdle();

    // Refuses new jobs, drops the ones not begun, lets the running one end
    // and joins the thread; never from one of its own jobs. A stopped worker can be started again by start().
    void stop();
    void start();

    // Whether the caller is the worker's thread.
    bool isCurrentThread() const;

private:
    void loop();

    const Priority priority_;
    const std::function<void()> atThreadEnd_;
    mutable std::mutex m_;
    std::condition_variable work_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool busy_ = false;
    bool heldBack_ = false;
    bool stopping_ = false;
    bool accepting_ = true;
    std::thread thread_;
};

}  // namespace worker
