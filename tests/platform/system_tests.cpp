// Tests of the system layer: save folders, the lock and the document viewer.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <spawn.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/system.h"
#include "tests/support/temp_dir.h"

extern char** environ;

using namespace plat;
namespace fs = std::filesystem;

namespace {

// A scratch folder, and environment variables set for one test and put back after it.
class SystemTest : public ::testing::Test {
protected:
    void SetUp() override { Env("TESSALOR_LOCK_FILE", (dir + "/tessalor.lock").c_str()); }
    void TearDown() override {
        for (auto& [name, old] : saved_) old ? setenv(name.c_str(), old->c_str(), 1) : unsetenv(name.c_str());
    }
    void Env(const char* name, const char* value) {
        const char* old = getenv(name);
        saved_.emplace(saved_.begin(), name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    testing_support::TempDir scratch;
    std::string dir = scratch.Path().string();

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Runs fn in a child process and returns its exit status.
template <class Fn>
int InChild(Fn fn) {
    const pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Acquire() { return AcquireSingleInstance() ? 1 : 0; }

}  // namespace

TEST_F(SystemTest, SaveDirFollowsAnAbsoluteXdgDataHomeElseHome) {
    Env("HOME", "/home/joueur");
    const std::string home = "/home/joueur/.local/share/kvtscore/tessa2002/";
    for (auto [xdg, want] : {std::pair<const char*, std::string>{"/srv/données", "/srv/données/kvtscore/tessa2002/"},
                             {"/srv/data/", "/srv/data/kvtscore/tessa2002/"},
                             {nullptr, home}, {"", home}, {"relatif/data", home}}) {
        Env("XDG_DATA_HOME", xdg);
        EXPECT_EQ(SaveDir(), want) << (xdg ? xdg : "unset");
        EXPECT_EQ(SaveRootDir() + "tessa2002/", want);
    }
}

// The holder may ask again, its children are refused, and a program it started does not keep the lock.
TEST_F(SystemTest, SecondProcessIsRefusedUntilTheFirstEnds) {
    {
        const testing_support::LockHolder first([] {
            pid_t pid = 0;
            char a0[] = "sleep", a1[] = "3";
            char* argv[] = {a0, a1, nullptr};
            return Acquire() && Acquire() && InChild(Acquire) == 0 &&
                   posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ) == 0;
        });
        ASSERT_TRUE(first.Held());
        EXPECT_EQ(InChild(Acquire), 0);
    }
    EXPECT_EQ(InChild(Acquire), 1);
}

TEST_F(SystemTest, DocumentPathIsOneArgumentWithoutAShell) {
    Env("PATH", dir.c_str());
    EXPECT_FALSE(OpenDocument("/tmp/aide.htm")) << "no viewer to start";
    const std::string out = dir + "/args.txt";
    std::ofstream(dir + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' $# \"$1\" >\"$0.part\"\nmv \"$0.part\" " << out << "\n";
    fs::permissions(dir + "/xdg-open", fs::perms::owner_all);
    Env("PATH", (dir + ":/usr/bin:/bin").c_str());
    const std::string doc = dir + "/aide tessalor; echo $HOME 'x'.htm";
    ASSERT_TRUE(OpenDocument(doc));
    for (int i = 0; i < 500 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(out);
    std::string count, arg;
    EXPECT_TRUE(std::getline(in, count) && std::getline(in, arg));
    EXPECT_EQ(std::pair(count, arg), std::pair(std::string("1"), doc));
}
