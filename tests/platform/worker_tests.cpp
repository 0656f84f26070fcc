// Tests of the worker thread: exit() stops it, cancelling the running job and dropping the queued ones.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/worker.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

// As when Xlib's handler calls exit() on a lost display: the running job is told to stop and joined ('c'), the
// queued one never runs ('q'), and the program still ends with its status.
TEST(Worker, ExitCancelsTheRunningJobJoinsItAndDropsTheQueuedOnes) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        auto* w = new plat::Worker;  // as main's host, which exit() never destroys
        std::atomic<bool> started{false};
        const auto running = std::make_shared<std::atomic<bool>>(false);
        w->Run([&] {
            started = true;
            while (!*running) std::this_thread::yield();
            [[maybe_unused]] auto n = write(out[1], "c", 1);
        }, running);
        w->Run([&] { [[maybe_unused]] auto n = write(out[1], "q", 1); });
        while (!started) std::this_thread::yield();
        std::exit(3);
    }
    close(out[1]);
    std::string said;
    for (char ch; read(out[0], &ch, 1) == 1;) said += ch;
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(said, "c");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
}
#endif
