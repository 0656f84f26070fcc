// The worker thread and its wake pipe; every live worker stopped when the program exits.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/worker.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace plat {
namespace {

// The live workers, for the exit handler. Never destroyed: exit() runs the
// handler while other statics are being torn down.
struct Registry {
    std::mutex mutex;
    std::vector<Worker*> workers;
};

Registry& Live() {
    static Registry& r = *new Registry;
    return r;
}

void StopAll() {
    std::vector<Worker*> workers;
    {
        const std::lock_guard<std::mutex> lock(Live().mutex);
        workers = Live().workers;
    }
    for (Worker* w : workers) w->Stop();
}

}  // namespace

Worker::Worker() {
    const std::lock_guard<std::mutex> lock(Live().mutex);
    Live().workers.push_back(this);
}

Worker::~Worker() {
    Stop();
    {
        const std::lock_guard<std::mutex> lock(Live().mutex);
        auto& v = Live().workers;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
#ifndef _WIN32
    for (int fd : wakePipe_)
        if (fd >= 0) ::close(fd);
#endif
}

void Worker::Run(std::function<void()> job, CancelFlag cancel) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) {
            if (cancel) *cancel = true;
            return;
        }
#ifndef _WIN32
        if (wakePipe_[0] < 0 && ::pipe2(wakePipe_, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe_[0] = wakePipe_[1] = -1;
#endif
        jobs_.emplace_back(std::move(job), std::move(cancel));
        if (!thread_.joinable()) {
            // Registered at the first thread, after the statics the game built
            // before it: exit() runs StopAll before their destructors.
            static const bool atExit = std::atexit(StopAll) == 0;
            (void)atExit;
            thread_ = std::thread([this] { Loop(); });
        }
    }
    ready_.notify_one();
}

void Worker::Loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_ || jobs_.empty()) return;
        auto [job, cancel] = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = cancel;
        lock.unlock();
        job();
        job = nullptr;  // what the job holds goes while it is still ours
        lock.lock();
        running_.reset();
    }
}

void Worker::Stop() {
    std::deque<std::pair<std::function<void()>, CancelFlag>> dropped;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        if (running_) *running_ = true;
        for (auto& [job, cancel] : jobs_)
            if (cancel) *cancel = true;
        dropped.swap(jobs_);
    }
    ready_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Worker::Wake() {
#ifndef _WIN32
    if (wakePipe_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakePipe_[1], &byte, 1);
    }
#endif
}

void Worker::DrainWake() {
#ifndef _WIN32
    char drain[64];
    while (wakePipe_[0] >= 0 && ::read(wakePipe_[0], drain, sizeof drain) > 0) {
    }
#endif
}

}  // namespace plat
