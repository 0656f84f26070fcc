// Files that come from outside the program: only regular files are opened,
// never blocking (a FIFO or a device would hang the game), and no read goes
// past a bound the caller gives.
#pragma once
#include <cstddef>
#include <string>

namespace plat {

// Beside errno's values: the path names a FIFO, a device or a socket.
inline constexpr int kNotRegular = -1;

// A descriptor open for reading on a regular file, or -1 with error set to
// an errno value (ENOENT, EISDIR, EACCES, ...) or kNotRegular.
int OpenRegularFile(const std::string& path, int& error);
// True when path is a regular file that can be opened for reading.
bool CanReadRegularFile(const std::string& path);
// The whole file into bytes; 0, or the error as above, or EFBIG when the
// file holds more than maxBytes.
int ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);
// The error in French, for the player: "fichier introuvable", "c'est un dossier"...
std::string FileErrorText(int error);

}  // namespace plat
