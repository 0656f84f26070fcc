// Tests of the worker thread: stopping it, by hand and at exit(), cancels the running job and drops the queued ones.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <thread>

#include "platform/worker.h"

using namespace plat;

namespace {

CancelFlag Flag() { return std::make_shared<std::atomic<bool>>(false); }

// Runs until cancelled, then says so through `cancelled`.
std::function<void()> Spinner(std::atomic<bool>& started, CancelFlag flag, std::function<void()> cancelled = {}) {
    return [&started, flag, cancelled] {
        started = true;
        while (!*flag) std::this_thread::yield();
        if (cancelled) cancelled();
    };
}

}  // namespace

// A Stop that forgot the running job would hang here; one that forgot the queue would run it.
TEST(Worker, StopCancelsTheRunningJobDropsTheQueuedOnesAndRefusesMore) {
    Worker w;
    std::atomic<bool> started{false}, queuedRan{false}, lateRan{false};
    const CancelFlag running = Flag(), queued = Flag(), late = Flag();
    w.Run(Spinner(started, running), running);
    w.Run([&] { queuedRan = true; }, queued);
    while (!started) std::this_thread::yield();
    w.Stop();
    w.Run([&] { lateRan = true; }, late);
    EXPECT_TRUE(*running && *queued && *late);
    EXPECT_FALSE(queuedRan || lateRan);
}

#ifndef _WIN32
// exit() (Xlib's answer to a lost display) stops the live workers before the statics go.
TEST(Worker, ExitCancelsAndJoinsTheRunningJob) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        auto* w = new Worker;  // as main's host, never destroyed by exit()
        std::atomic<bool> started{false};
        const CancelFlag flag = Flag();
        w->Run(Spinner(started, flag, [&] { [[maybe_unused]] auto n = write(out[1], "c", 1); }), flag);
        while (!started) std::this_thread::yield();
        std::exit(3);
    }
    close(out[1]);
    char said = 0;
    EXPECT_EQ(read(out[0], &said, 1), 1);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(said, 'c');
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
}
#endif
