#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#define O_NONBLOCK 0
#define O_CLOEXEC 0
#else
#include <unistd.h>
#endif

namespace plat {

int OpenRegularFile(const std::string& path, int& error) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat st {};
    error = fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : S_ISREG(st.st_mode) ? 0 : kNotRegular;
    if (error != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool CanReadRegularFile(const std::string& path) {
    int error = 0;
    const int fd = OpenRegularFile(path, error);
    if (fd >= 0) close(fd);
    return fd >= 0;
}

int ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    int error = 0;
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) return error;
    // Read to the end rather than trust the size: the file may grow meanwhile.
    bytes.clear();
    char buf[16384];
    for (;;) {
        const auto n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            error = EFBIG;
            break;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    if (error != 0) bytes.clear();
    return error;
}

std::string FileErrorText(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return "fichier introuvable";
    case EISDIR: return "c'est un dossier";
    case kNotRegular: return "ce n'est pas un fichier ordinaire";
    case EACCES:
    case EPERM: return "accès refusé";
    case EFBIG: return "fichier trop grand";
    default: return std::string("lecture impossible (") + std::strerror(error) + ")";
    }
}

}  // namespace plat
