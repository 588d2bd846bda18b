#include "platform/worker.h"

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>

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

}  // namespace

Worker::Worker(Priority priority, std::function<void()> atThreadEnd)
    : priority_(priority), atThreadEnd_(std::move(atThreadEnd))
{
}

Worker::~Worker()
{
    stop();
}

void Worker::loop()
{
    if (priority_ == Priority::Low)
        lowerPriority();
    std::unique_lock lock(m_);
    for (;;) {
        work_.wait(lock, [this] { return stopping_ || (!jobs_.empty() && !heldBack_); });
        if (stopping_) {
            lock.unlock();
            if (atThreadEnd_)
                atThreadEnd_();
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job();
        job = nullptr;  // what it holds is freed here too
        lock.lock();
        busy_ = false;
        if (jobs_.empty())
            idle_.notify_all();
    }
}

bool Worker::post(std::function<void()> job)
{
    {
        std::lock_guard lock(m_);
        if (accepting_) {
            jobs_.push_back(std::move(job));
            if (!thread_.joinable())
                thread_ = std::thread([this] { loop(); });
            job = nullptr;
        }
    }
    if (job)
        return false;  // freed here, outside the lock
    work_.notify_all();
    return true;
}

void Worker::holdBack()
{
    std::lock_guard lock(m_);
    heldBack_ = true;
}

void Worker::release()
{
    {
        std::lock_guard lock(m_);
        if (!heldBack_)
            return;
        heldBack_ = false;
    }
    work_.notify_all();
}

void Worker::waitUntilIdle()
{
    release();  // held-back jobs would never run
    std::unique_lock lock(m_);
    idle_.wait(lock, [this] { return (jobs_.empty() || stopping_) && !busy_; });
}

void Worker::stop()
{
    std::deque<std::function<void()>> dropped;
    std::thread thread;
    {
        std::lock_guard lock(m_);
        accepting_ = false;
        stopping_ = true;
        dropped.swap(jobs_);
        thread.swap(thread_);
    }
    work_.notify_all();
    idle_.notify_all();
    if (thread.joinable())
        thread.join();
    // The dropped jobs are freed here, on the caller's thread, with no lock held.
}

void Worker::start()
{
    std::lock_guard lock(m_);
    accepting_ = true;
    stopping_ = false;
    heldBack_ = false;
}

bool Worker::isCurrentThread() const
{
    std::lock_guard lock(m_);
    return thread_.get_id() == std::this_thread::get_id();
}

}  // namespace worker
