#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/system.h"

extern char** environ;

using namespace plat;
namespace fs = std::filesystem;

namespace {

// Sets environment variables for one test and puts the old values back.
class EnvGuard {
public:
    void Set(const char* name, const char* value) {
        Remember(name);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvGuard() {
        for (auto& [name, old] : saved_) {
            if (old)
                setenv(name.c_str(), old->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    void Remember(const char* name) {
        for (auto& s : saved_)
            if (s.first == name) return;
        const char* v = getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "tessalor-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
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

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(path) && fs::file_size(path) > 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

TEST(Paths, ExecutableDirIsWhereThisProgramLives) {
    const std::string dir = ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(dir.front(), '/');
    EXPECT_TRUE(fs::exists(dir + program_invocation_short_name)) << dir;
}

TEST(Paths, SaveDirFollowsXdgDataHome) {
    EnvGuard env;
    env.Set("XDG_DATA_HOME", "/srv/données");
    EXPECT_EQ(SaveRootDir(), "/srv/données/kvtscore/");
    EXPECT_EQ(SaveDir(), "/srv/données/kvtscore/tessa2002/");
    env.Set("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(SaveDir(), "/srv/data/kvtscore/tessa2002/");
}

TEST(Paths, SaveDirDefaultsUnderHome) {
    EnvGuard env;
    env.Set("HOME", "/home/joueur");
    env.Set("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(SaveRootDir(), "/home/joueur/.local/share/kvtscore/");
    EXPECT_EQ(SaveDir(), "/home/joueur/.local/share/kvtscore/tessa2002/");
    env.Set("XDG_DATA_HOME", "");
    EXPECT_EQ(SaveDir(), "/home/joueur/.local/share/kvtscore/tessa2002/");
    // A relative XDG_DATA_HOME is invalid and ignored.
    env.Set("XDG_DATA_HOME", "relatif/data");
    EXPECT_EQ(SaveDir(), "/home/joueur/.local/share/kvtscore/tessa2002/");
}

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { env_.Set("TESSALOR_LOCK_FILE", (dir_.path() + "/tessalor.lock").c_str()); }
    TempDir dir_;
    EnvGuard env_;
};

TEST_F(SingleInstance, SecondProcessIsRefusedUntilTheFirstEnds) {
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t first = fork();
    if (first == 0) {
        // The holder, which also checks that its own children are refused.
        char ok = AcquireSingleInstance() ? 'y' : 'n';
        if (ok == 'y') ok = AcquireSingleInstance() ? 'y' : 'n';  // asking again is fine
        if (ok == 'y' && InChild([] { return AcquireSingleInstance() ? 1 : 0; }) != 0) ok = 'c';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y') << "holder failed ('n') or its child got the lock too ('c')";

    EXPECT_EQ(InChild([] { return AcquireSingleInstance() ? 1 : 0; }), 0);

    (void)!write(release[1], "x", 1);
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_EQ(InChild([] { return AcquireSingleInstance() ? 1 : 0; }), 1);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(SingleInstance, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    // The holder starts a long-running program (as it would a document
    // viewer) and ends; the lock must go with it.
    const int held = InChild([] {
        if (!AcquireSingleInstance()) return 2;
        pid_t pid = 0;
        char a0[] = "sleep", a1[] = "3";
        char* argv[] = {a0, a1, nullptr};
        if (posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ) != 0) return 3;
        return 0;
    });
    ASSERT_EQ(held, 0);
    EXPECT_EQ(InChild([] { return AcquireSingleInstance() ? 1 : 0; }), 1);
}

TEST(OpenDocument, PassesThePathAsOneArgumentWithoutAShell) {
    TempDir dir;
    const std::string out = dir.path() + "/args.txt";
    {
        std::ofstream viewer(dir.path() + "/xdg-open");
        viewer << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"" << out << ".part\"\nmv \"" << out
               << ".part\" \"" << out << "\"\n";
    }
    fs::permissions(dir.path() + "/xdg-open", fs::perms::owner_all);
    EnvGuard env;
    env.Set("PATH", (dir.path() + ":/usr/bin:/bin").c_str());

    const std::string doc = dir.path() + "/aide tessalor; echo $HOME 'x'.htm";
    ASSERT_TRUE(OpenDocument(doc));
    ASSERT_TRUE(WaitForFile(out));
    std::ifstream in(out);
    std::string count, arg;
    std::getline(in, count);
    std::getline(in, arg);
    EXPECT_EQ(count, "1");
    EXPECT_EQ(arg, doc);
}

TEST(OpenDocument, FailsWhenNoViewerCanBeStarted) {
    TempDir dir;
    EnvGuard env;
    env.Set("PATH", dir.path().c_str());
    EXPECT_FALSE(OpenDocument("/tmp/aide.htm"));
}
