#include "platform/worker.h"

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace worker {

namespace {

// On Linux the nice value belongs to the thread: 0 names the caller. A
// refusal (a sandbox, say) leaves the thread as it was.
void lowerPriority()
{
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        setpriority(PRIO_PROCESS, 0, std::min(now + 10, 19));
}

struct Queue {
    std::mutex m;
    std::condition_variable work;
    std::condition_variable idle;
    std::deque<std::function<void()>> jobs;
    bool busy = false;
    bool heldBack = false;
    std::thread thread;

    void loop()
    {
        lowerPriority();
        std::unique_lock lock(m);
        for (;;) {
            work.wait(lock, [this] { return !jobs.empty() && !heldBack; });
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            busy = true;
            lock.unlock();
            job();
            job = nullptr;  // what it holds is freed here too
            lock.lock();
            busy = false;
            if (jobs.empty())
                idle.notify_all();
        }
    }
};

// Never freed: its thread waits for work until the process ends.
Queue& queue()
{
    static auto* q = new Queue;
    return *q;
}

}  // namespace

void post(std::function<void()> job)
{
    Queue& q = queue();
    {
        std::lock_guard lock(q.m);
        q.jobs.push_back(std::move(job));
        if (!q.thread.joinable())
            q.thread = std::thread([&q] { q.loop(); });
    }
    q.work.notify_all();
}

void holdBack()
{
    Queue& q = queue();
    std::lock_guard lock(q.m);
    q.heldBack = true;
}

void release()
{
    Queue& q = queue();
    {
        std::lock_guard lock(q.m);
        if (!q.heldBack)
            return;
        q.heldBack = false;
    }
    q.work.notify_all();
}

void waitUntilIdle()
{
    release();  // held-back jobs would never run
    Queue& q = queue();
    std::unique_lock lock(q.m);
    q.idle.wait(lock, [&q] { return q.jobs.empty() && !q.busy; });
}

}  // namespace worker
