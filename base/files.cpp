// Bounded reads of regular files, exclusive creation, flushed replacement.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#undef ReplaceFile  // the system's own, a macro, would rename ours
#else
#include <unistd.h>
#include "lang/i18n.h"
#endif

namespace plat {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

namespace {

#ifdef _WIN32
int OpenFile(const std::string& path, int flags, int mode = 0) {
    return _wopen(PathOf(path).c_str(), flags | _O_BINARY, mode);
}
long ReadSome(int fd, char* buf, std::size_t n) {
    return _read(fd, buf, static_cast<unsigned>(n));
}
long WriteSome(int fd, const char* buf, std::size_t n) {
    return _write(fd, buf, static_cast<unsigned>(n));
}
bool SyncFile(int fd) { return _commit(fd) == 0; }
bool CloseFile(int fd) { return _close(fd) == 0; }
bool SyncDir(const std::string&) { return true; }  // renames are durable there
constexpr int kNoFollow = 0, kNonBlock = 0, kCloExec = 0;
#else
int OpenFile(const std::string& path, int flags, int mode = 0) {
    int fd;
    do fd = ::open(path.c_str(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}
long ReadSome(int fd, char* buf, std::size_t n) { return ::read(fd, buf, n); }
long WriteSome(int fd, const char* buf, std::size_t n) { return ::write(fd, buf, n); }
bool SyncFile(int fd) { return ::fsync(fd) == 0; }
// A failed close can report a write the disk refused; EINTR leaves it closed.
bool CloseFile(int fd) { return ::close(fd) == 0 || errno == EINTR; }
bool SyncDir(const std::string& dir) {
    const int fd = OpenFile(dir.empty() ? "." : dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = SyncFile(fd);
    ::close(fd);
    return ok;
}
constexpr int kNoFollow = O_NOFOLLOW, kNonBlock = O_NONBLOCK, kCloExec = O_CLOEXEC;
#endif

std::string DirOf(const std::string& path) {
    return Utf8Of(PathOf(path).parent_path());
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes, flushes to disk and closes; the descriptor is closed either way.
bool FinishFile(int fd, const std::string& bytes) {
    const bool written = WriteAll(fd, bytes) && SyncFile(fd);
    return CloseFile(fd) && written;
}

#ifndef _WIN32
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

// The permissions of the regular file being replaced, looked at itself and
// not through a link: only its permission bits, always readable and
// writable by its owner. Anything else (a link, a device, nothing) gives
// the mode of a new file.
mode_t ReplacementMode(const std::string& path) {
    const int fd = OpenFile(path, O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return NewFileMode();
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular ? (st.st_mode & 0777) | S_IRUSR | S_IWUSR : NewFileMode();
}
#endif

}  // namespace

void CloseDescriptor(int fd) { CloseFile(fd); }

int OpenRegularFile(const std::string& path, int& error) {
#ifdef _WIN32
    // A folder cannot be opened there at all: say what it is.
    const DWORD attributes = GetFileAttributesW(PathOf(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = EISDIR;
        return -1;
    }
#endif
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = OpenFile(path, O_RDONLY | kNonBlock | kCloExec);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat st {};
    error = fstat(fd, &st) != 0              ? errno
            : (st.st_mode & S_IFMT) == S_IFDIR ? EISDIR
            : (st.st_mode & S_IFMT) == S_IFREG ? 0
                                               : kNotRegular;
    if (error == 0) return fd;
    CloseFile(fd);
    return -1;
}

bool CanReadRegularFile(const std::string& path) {
    int error = 0;
    const int fd = OpenRegularFile(path, error);
    if (fd >= 0) CloseFile(fd);
    return fd >= 0;
}

std::string FileErrorText(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return _("fichier introuvable");
    case EISDIR: return _("c'est un dossier");
    case kNotRegular: return _("ce n'est pas un fichier ordinaire");
    case EACCES:
    case EPERM: return _("accès refusé");
    case EFBIG: return _("fichier trop grand");
    default: return lang::Format(_("lecture impossible (%s)"), {std::strerror(error)});
    }
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out,
                     bool* truncated, int* error) {
    out.clear();
    if (truncated) *truncated = false;
    int why = 0;
    const int fd = OpenRegularFile(path, why);
    bool ok = fd >= 0;
    if (ok) {
        // Sized from the file, grown as it turns out longer, never past one
        // byte more than allowed (that byte tells whether there is more).
        struct stat st {};
        const std::size_t limit = maxBytes + 1;
        const std::size_t hint =
            fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096;
        out.resize(std::min(hint, limit));
        std::size_t got = 0;
        for (;;) {
            if (got == out.size()) {
                if (out.size() >= limit) break;
                out.resize(std::min(limit, out.size() * 2));
            }
            const long n = ReadSome(fd, out.data() + got, out.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ok = false, why = errno;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (truncated) *truncated = got > maxBytes;
        out.resize(std::min(got, maxBytes));
        CloseFile(fd);
    }
    if (!ok) out.clear();
    if (error) *error = why;
    return ok;
}

CreateResult CreateNewFile(const std::string& path, const std::string& bytes) {
    const int fd = OpenFile(path, O_WRONLY | O_CREAT | O_EXCL | kNoFollow | kCloExec, 0644);
    if (fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    if (!FinishFile(fd, bytes)) {
        std::error_code ec;
        std::filesystem::remove(PathOf(path), ec);
        return CreateResult::Failed;
    }
    SyncDir(DirOf(path));
    return CreateResult::Created;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, int* error) {
    errno = 0;
    const auto failed = [error] {
        if (error) *error = errno;
        return false;
    };
    const std::string dir = DirOf(path);
    // A name no game can have (game names never start with a dot), made
    // exclusively, so it cannot collide with any file already there.
    std::string temp = Utf8Of(PathOf(dir) / ".tessalor-XXXXXX");
#ifdef _WIN32
    if (_mktemp_s(temp.data(), temp.size() + 1) != 0) return failed();
    const int fd = OpenFile(temp, _O_WRONLY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
#else
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd >= 0) fchmod(fd, ReplacementMode(path));
#endif
    if (fd < 0) return failed();
    bool ok = FinishFile(fd, bytes);
#ifdef _WIN32
    ok = ok && MoveFileExW(PathOf(temp).c_str(), PathOf(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
#endif
    if (!ok) {
        failed();
        std::error_code ec;
        std::filesystem::remove(PathOf(temp), ec);
        return false;
    }
    SyncDir(dir);
    return true;
}

bool RemoveRegularFile(const std::string& path) {
    std::error_code ec;
    const auto st = std::filesystem::symlink_status(PathOf(path), ec);
    if (ec || st.type() != std::filesystem::file_type::regular) return false;
    return std::filesystem::remove(PathOf(path), ec) && !ec;
}

}  // namespace plat
