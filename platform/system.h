// Paths, documents and the single-instance lock.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace plat {

inline constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// Directory of the running executable, ending in the separator.
std::string ExecutableDir();
// Where saved games live: $XDG_DATA_HOME/kvtscore/tessa2002/ (default
// ~/.local/share/...), on Windows c:\kvtscore\tessa2002\ (or under an absolute
// %TESSALOR_SAVE_HOME%). Ends in the separator.
std::string SaveRootDir();   // .../kvtscore/
std::string SaveDir();       // .../kvtscore/tessa2002/
// Where the settings live: $XDG_CONFIG_HOME/tessalor/ (default ~/.config/tessalor/),
// on Windows %APPDATA%\Tessalor\. Read every time; ends in the separator.
std::string ConfigDir();
// Where the player's own shapes and records live: $XDG_DATA_HOME/tessalor/
// (default ~/.local/share/tessalor/), on Windows beside the settings. Read
// every time; ends in the separator.
std::string DataDir();
// Opens the document with the desktop's viewer; false when that failed.
bool OpenDocument(const std::string& path);
// True when this is the only running instance; the lock lives until exit
// and is never kept by a child process. $TESSALOR_LOCK_FILE names another lock.
bool AcquireSingleInstance();
// The lock holder's main window (an X window id), written beside the lock so
// that a second launch can find it; nothing on Windows or without a lock.
void NoteInstanceWindow(unsigned long id);
// After AcquireSingleInstance said no: brings the running game's window to
// the front. Touches nothing else; false when it could not be found.
bool RaiseRunningInstance();
// Before a library starts a helper process of its own (the error box): the
// helper dies with the game, and SIGTERM and SIGINT end the game at once.
void TieHelpersToGame();
// Time of day for the clock label.
void LocalTime(int& hour, int& minute, int& second);
// Today's local calendar date (month 1..12, day 1..31).
void LocalDate(int& year, int& month, int& day);
// The time the player could not play: a modal form shown or the main window
// minimised. Hold(true) starts a hold and Hold(false) ends it (holds nest);
// HeldSeconds() is the held time so far, on the clock of plat::Now(), so
// that a shape's playing time is the time passed less the time held.
void Hold(bool on);
double HeldSeconds();

}  // namespace plat
