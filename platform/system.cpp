// Paths, the clock, documents, the single-instance lock and fatal errors.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system.h"

#include "platform/forms.h"

#include <csignal>
#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <filesystem>

#include "base/files.h"
#else
#include <fcntl.h>
#include <cstdlib>
#include <string>

#include "base/files.h"
#include "platform/x11_pointer.h"

#include <pthread.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <thread>
#include <vector>

extern char** environ;
#endif

namespace plat {

#ifdef _WIN32

std::string ExecutableDir() {
    std::wstring buf(32768, L'\0');
    buf.resize(GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size())));
    const std::string p = Utf8Of(std::filesystem::path(buf));
    const auto cut = p.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".\\") : p.substr(0, cut + 1);
}

std::string SaveRootDir() {
    // TESSALOR_SAVE_HOME, when absolute, stands for c:\ as XDG_DATA_HOME does
    // on Linux (read every time: tests give each case its own folder).
    if (const wchar_t* home = _wgetenv(L"TESSALOR_SAVE_HOME"); home && std::filesystem::path(home).is_absolute())
        return Utf8Of(std::filesystem::path(home) / L"kvtscore") + "\\";
    // The game's own folder at the root of c:, where it can be made; a
    // locked-down account gets the same folders in its local application data.
    static const std::string root = [] {
        const std::wstring fixed = L"c:\\kvtscore";
        if (CreateDirectoryW(fixed.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
            return std::string("c:\\kvtscore\\");
        const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
        if (!local || !*local) return std::string("c:\\kvtscore\\");
        return Utf8Of(std::filesystem::path(local) / L"kvtscore") + "\\";
    }();
    return root;
}
std::string SaveDir() { return SaveRootDir() + "tessa2002\\"; }

std::string ConfigDir() {
    const wchar_t* app = _wgetenv(L"APPDATA");
    if (!app || !*app) return SaveRootDir() + "Tessalor\\";
    return Utf8Of(std::filesystem::path(app) / L"Tessalor") + "\\";
}

std::string DataDir() { return ConfigDir(); }

bool OpenDocument(const std::string& path) {
    const auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", PathOf(path).c_str(),
                                                           nullptr, nullptr, SW_SHOWNORMAL));
    return r > 32;
}

bool AcquireSingleInstance() {
    // The named mutex disappears with the process. TESSALOR_LOCK_FILE, as on
    // Linux, gives another lock: a mutex named after that path.
    static HANDLE mutex = nullptr;
    if (mutex) return true;
    std::wstring name = L"Local\\tessalor.single";
    if (const wchar_t* file = _wgetenv(L"TESSALOR_LOCK_FILE"); file && *file) {
        name += L'.';
        for (const wchar_t* c = file; *c; ++c) name += *c == L'\\' ? L'/' : *c;  // no backslash in a name
    }
    HANDLE h = CreateMutexW(nullptr, TRUE, name.c_str());
    if (!h) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(h);
        return false;
    }
    mutex = h;
    return true;
}

void TieHelpersToGame() {}

#else

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string HomeDir() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return home;
}

}  // namespace

std::string ExecutableDir() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) {
        std::string p(buf, static_cast<size_t>(n));
        const auto cut = p.rfind('/');
        if (cut != std::string::npos) return p.substr(0, cut + 1);
    }
    return "./";
}

// $XDG_DATA_HOME with its slash; relative values are invalid for XDG
// variables and are ignored.
static std::string DataHome() {
    std::string base = Env("XDG_DATA_HOME");
    if (base.empty() || base[0] != '/') base = WithSlash(HomeDir()) + ".local/share";
    return WithSlash(base);
}

std::string SaveRootDir() { return DataHome() + "kvtscore/"; }

std::string SaveDir() { return SaveRootDir() + "tessa2002/"; }

std::string ConfigDir() {
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') base = WithSlash(HomeDir()) + ".config";
    return WithSlash(base) + "tessalor/";
}

std::string DataDir() { return DataHome() + "tessalor/"; }

bool OpenDocument(const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    // The viewer starts with ordinary signal handling, whatever SDL installed.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string arg0 = "xdg-open", arg1 = path;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "xdg-open", &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return false;
    // Reap the child without waiting for it and without changing how the
    // rest of the program sees SIGCHLD.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

namespace {

int lockFd = -1;
pid_t lockHolder = 0;
pid_t tiedParent = 0;

// Runs in every child forked by the game or a library it uses. The lock's
// open file is shared with the child: keeping it would hold the lock after
// the game ends, so the child lets go of it.
void AfterForkInChild() {
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
#ifdef __linux__
    if (tiedParent != 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != tiedParent) _exit(1);  // the game died before the line above
    }
#endif
}

void WatchForks() {
    static const bool done = pthread_atfork(nullptr, nullptr, AfterForkInChild) == 0;
    (void)done;
}

}  // namespace

// The lock another process holds, after AcquireSingleInstance said no.
std::string busyLock;

bool AcquireSingleInstance() {
    // Only the process that took the lock counts it as held.
    if (lockFd >= 0 && lockHolder == getpid()) return true;
    WatchForks();

    std::vector<std::string> candidates;
    if (std::string p = Env("TESSALOR_LOCK_FILE"); !p.empty()) {
        candidates.push_back(p);
    } else {
        if (std::string run = Env("XDG_RUNTIME_DIR"); !run.empty())
            candidates.push_back(WithSlash(run) + "tessalor.lock");
        candidates.push_back("/tmp/tessalor-" + std::to_string(getuid()) + ".lock");
    }
    for (const std::string& p : candidates) {
        const int f = open(p.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (f < 0) continue;
        if (flock(f, LOCK_EX | LOCK_NB) != 0) {
            close(f);
            busyLock = p;
            return false;
        }
        lockFd = f;
        lockHolder = getpid();
        return true;
    }
    // Nowhere to keep a lock: better to run twice than not at all.
    return true;
}

void NoteInstanceWindow(unsigned long id) {
    if (lockFd < 0 || lockHolder != getpid()) return;
    const std::string text = std::to_string(id) + "\n";
    if (ftruncate(lockFd, 0) == 0) (void)!pwrite(lockFd, text.data(), text.size(), 0);
}

bool RaiseRunningInstance() {
    std::string text;
    if (busyLock.empty() || !ReadRegularFile(busyLock, 32, text)) return false;
    char* end = nullptr;
    const unsigned long id = std::strtoul(text.c_str(), &end, 10);
    return end != text.c_str() && RaiseX11Window(id);
}

void TieHelpersToGame() {
    WatchForks();
    tiedParent = getpid();
    // The library waits for its helper and retries when a handler returns,
    // so the signals get their default action back: they end the game.
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

#endif

#ifdef _WIN32
void NoteInstanceWindow(unsigned long) {}

bool RaiseRunningInstance() {
    HWND w = FindWindowW(L"SDL_app", L"Tessalor");
    if (!w) return false;
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    return SetForegroundWindow(w) != 0;
}
#endif

namespace {
std::tm LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}
}  // namespace

void LocalTime(int& hour, int& minute, int& second) {
    const std::tm tm = LocalNow();
    hour = tm.tm_hour;
    minute = tm.tm_min;
    second = tm.tm_sec;
}

void LocalDate(int& year, int& month, int& day) {
    const std::tm tm = LocalNow();
    year = tm.tm_year + 1900;
    month = tm.tm_mon + 1;
    day = tm.tm_mday;
}

namespace {
struct Holds {
    int depth = 0;
    double since = 0, total = 0;
};
Holds& HoldState() {
    static Holds h;
    return h;
}
}  // namespace

void Hold(bool on) {
    Holds& h = HoldState();
    if (on) {
        if (h.depth++ == 0) h.since = Now();
    } else if (h.depth > 0 && --h.depth == 0) {
        h.total += Now() - h.since;
    }
}

double HeldSeconds() {
    const Holds& h = HoldState();
    return h.total + (h.depth ? Now() - h.since : 0.0);
}

}  // namespace plat
