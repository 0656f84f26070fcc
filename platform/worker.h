// The worker thread: jobs run one after another off the main thread, a wake for the main thread's wait.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace plat {

// Set to ask a job to give up; the job looks at it while it works.
using CancelFlag = std::shared_ptr<std::atomic<bool>>;

// Its thread starts with the first job. Stop (also at destruction, and for
// every live worker when the program exits through exit(), as Xlib does when
// the display is lost) cancels the running and queued jobs, drops the queued
// ones and joins the thread, before the program's statics go away.
class Worker {
public:
    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Queues the job; its cancel flag, when given, is set by Stop.
    void Run(std::function<void()> job, CancelFlag cancel = nullptr);
    // From any thread but the worker's own.
    void Stop();
    // Ends a wait on WakeFd early; callable from any thread.
    void Wake();
    // The descriptor a wait polls for the wake (-1: none, as on Windows), and
    // the read that empties it after a wake.
    int WakeFd() const { return wakePipe_[0]; }
    void DrainWake();

private:
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::pair<std::function<void()>, CancelFlag>> jobs_;
    CancelFlag running_;
    bool stopping_ = false;
    int wakePipe_[2] = {-1, -1};
    void Loop();
};

}  // namespace plat
