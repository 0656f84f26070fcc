// The player's settings: the file that keeps them between runs, and the ones in force.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace settings {

struct Settings {
    bool sound = true;
    bool letters = false;
    bool keyboard = false;
    int scale = 0;  // 0: automatic, else 1..4
    bool fullscreen = false;
    std::string language = "auto";  // or a catalog's code
    bool operator==(const Settings&) const = default;
};

// The file's text read: the settings, the lines the game does not know (kept
// when the file is rewritten), and the first line it cannot take (0: none).
// With a bad line the settings are the defaults.
struct Parsed {
    Settings values;
    std::vector<std::string> unknown;
    int badLine = 0;
};
Parsed Parse(const std::string& text);
// The file's text: one key=value line each, then the unknown lines.
std::string Format(const Settings& values, const std::vector<std::string>& unknown);

// $XDG_CONFIG_HOME/tessalor/tessalor.conf and its Windows twin.
std::string FilePath();

// Reads the file at start-up: a missing file gives the defaults silently; an
// unreadable or bad one gives the defaults and one line on stderr naming the
// file (and the line; see SayLoadProblem), and is left as it is.
void Load();
// Load's line on stderr, if it had one, in the language chosen since.
void SayLoadProblem();
// The settings in force this run (the file's, with the command line's on top).
const Settings& Current();
// The command line and the environment decide for this run only: the
// settings in force become forRun, the file stays as read.
void Override(const Settings& forRun);
// The player changed a setting: in force at once and written to the file
// (its other settings and unknown lines kept, the command line's choices
// left out). False when the file could not be written.
bool Change(const std::function<void(Settings&)>& apply);

}  // namespace settings
