// Scratch folders, whole files and a held single-instance lock, for any test.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#ifdef _WIN32
#include <process.h>
#include <stdlib.h>
#define getpid _getpid
// The runtime's own environment, which getenv and _wgetenv read.
inline int setenv(const char* n, const char* v, int replace) { return !replace && getenv(n) ? 0 : _putenv_s(n, v); }
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
// Cases that stand on POSIX alone are left out of the Windows build, and the test says so.
#define LINUX_ONLY(...)
#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << "Linux only: " why
inline constexpr bool kOnWindows = true;
#else
#define LINUX_ONLY(...) __VA_ARGS__
#define SKIP_ON_WINDOWS(why) static_cast<void>(0)
inline constexpr bool kOnWindows = false;
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace testing_support {

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
// The names of the entries of a folder.
inline std::set<std::string> Names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        const std::u8string name = e.path().filename().u8string();  // UTF-8 on Windows too
        names.emplace(name.begin(), name.end());
    }
    return names;
}

// A fresh folder of this process's own, removed with everything in it.
class TempDir {
public:
    TempDir() : path_(std::filesystem::temp_directory_path() / Unique()) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    static std::string Unique() {
        static std::atomic<int> counter{0};
        return "tessalor-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    }
    std::filesystem::path path_;
};

#ifndef _WIN32
// While it lives, a child process holds what `acquire` takes (the game's
// single-instance lock), so no lock this process took earlier stands in for it.
class LockHolder {
public:
    template <class F>
    explicit LockHolder(F acquire) {
        int ready[2] = {-1, -1};
        if (pipe(ready) != 0 || pipe(release_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            const char ok = acquire() ? 'y' : 'n';
            (void)!write(ready[1], &ok, 1);
            char c;
            (void)!read(release_[0], &c, 1);
            _exit(0);
        }
        char ok = 0;
        held_ = pid_ > 0 && read(ready[0], &ok, 1) == 1 && ok == 'y';
        close(ready[0]), close(ready[1]);
    }
    ~LockHolder() {
        (void)!write(release_[1], "x", 1);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        close(release_[0]), close(release_[1]);
    }
    bool Held() const { return held_; }

private:
    int release_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool held_ = false;
};
#endif

}  // namespace testing_support
