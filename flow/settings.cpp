// The settings file: a few key=value lines, read once at start-up, rewritten whole when the player changes one.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/settings.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/files.h"
#include "lang/i18n.h"
#include "platform/system.h"
#include "ui/dialogs.h"

namespace settings {
namespace {

// A handful of short lines; anything larger is not ours.
constexpr std::size_t kMaxFileBytes = 16u << 10;

struct Store {
    Settings file;     // as read (or as last written)
    Settings current;  // in force this run
    std::vector<std::string> unknown;
    // What Load found wrong, said once the language is chosen.
    std::function<void()> problem;
};

Store& State() {
    static Store s;
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool ReadSwitch(const std::string& v, bool& out) {
    if (v == "on" || v == "1" || v == "yes" || v == "true") out = true;
    else if (v == "off" || v == "0" || v == "no" || v == "false") out = false;
    else return false;
    return true;
}

// "auto" or a catalog's code: two or three small letters, with a region
// ("pt_BR") or not.
bool ReadLanguage(const std::string& v, std::string& out) {
    bool ok = v == "auto";
    if (!ok) {
        const auto cut = v.find('_');
        const std::string lang = v.substr(0, cut);
        ok = lang.size() >= 2 && lang.size() <= 3 &&
             lang.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        if (ok && cut != std::string::npos) {
            const std::string region = v.substr(cut + 1);
            ok = region.size() == 2 && region.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos;
        }
    }
    if (ok) out = v;
    return ok;
}

// False when the key is the game's and its value is not one it allows;
// known is false for a key the game does not have.
bool ReadValue(const std::string& key, const std::string& v, Settings& s, bool& known) {
    known = true;
    if (key == "sound") return ReadSwitch(v, s.sound);
    if (key == "letters") return ReadSwitch(v, s.letters);
    if (key == "keyboard") return ReadSwitch(v, s.keyboard);
    if (key == "fullscreen") return ReadSwitch(v, s.fullscreen);
    if (key == "language") return ReadLanguage(v, s.language);
    if (key == "scale") {
        if (v == "auto") s.scale = 0;
        else if (v.size() == 1 && v[0] >= '1' && v[0] <= '4') s.scale = v[0] - '0';
        else return false;
        return true;
    }
    known = false;
    return true;
}

// The settings in force become those the windows read.
void Apply(const Settings& s) {
    State().current = s;
    SetOptions({s.keyboard, s.letters, s.sound});
}

const char* OnOff(bool b) { return b ? "on" : "off"; }

}  // namespace

Parsed Parse(const std::string& text) {
    Parsed p;
    std::size_t at = 0;
    for (int line = 1; at < text.size(); ++line) {
        auto end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string raw = text.substr(at, end - at);
        at = end + 1;
        const std::string t = Trim(raw);
        if (t.empty() || t[0] == '#') {
            if (!t.empty()) p.unknown.push_back(t);
            continue;
        }
        const auto eq = t.find('=');
        bool known = false;
        if (eq == std::string::npos || t.find('\0') != std::string::npos ||
            !ReadValue(Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)), p.values, known)) {
            return Parsed{{}, {}, line};
        }
        if (!known) p.unknown.push_back(t);
    }
    return p;
}

std::string Format(const Settings& s, const std::vector<std::string>& unknown) {
    std::string out = "sound=" + std::string(OnOff(s.sound)) + "\nletters=" + OnOff(s.letters) +
                      "\nkeyboard=" + OnOff(s.keyboard) +
                      "\nscale=" + (s.scale ? std::to_string(s.scale) : std::string("auto")) +
                      "\nfullscreen=" + OnOff(s.fullscreen) + "\nlanguage=" + s.language + "\n";
    for (const auto& line : unknown) out += line + "\n";
    return out;
}

std::string FilePath() { return plat::ConfigDir() + "tessalor.conf"; }

void Load() {
    Store& st = State();
    st = Store{};
    Apply({});
    const std::string path = FilePath();
    std::string text;
    bool tooLong = false;
    int error = 0;
    if (!plat::ReadRegularFile(path, kMaxFileBytes, text, &tooLong, &error)) {
        if (error != ENOENT)
            st.problem = [path, error] {
                std::fprintf(stderr, _("tessalor : réglages par défaut, %s illisible (%s)\n"), path.c_str(),
                             plat::FileErrorText(error).c_str());
            };
        return;
    }
    if (tooLong) {
        st.problem = [path] { std::fprintf(stderr, _("tessalor : réglages par défaut, %s trop long\n"), path.c_str()); };
        return;
    }
    Parsed p = Parse(text);
    if (p.badLine) {
        st.problem = [path, line = p.badLine] {
            std::fprintf(stderr, _("tessalor : réglages par défaut, %s ligne %d incorrecte\n"), path.c_str(), line);
        };
        return;
    }
    st.file = p.values;
    st.unknown = std::move(p.unknown);
    Apply(p.values);
}

void SayLoadProblem() {
    if (auto problem = std::exchange(State().problem, nullptr)) problem();
}

const Settings& Current() { return State().current; }

void Override(const Settings& forRun) { Apply(forRun); }

bool Change(const std::function<void(Settings&)>& apply) {
    Store& st = State();
    Settings now = st.current;
    apply(now);
    // Only what changed goes to the file, as it is now in force.
    Settings& f = st.file;
    const Settings& was = st.current;
    if (now.sound != was.sound) f.sound = now.sound;
    if (now.letters != was.letters) f.letters = now.letters;
    if (now.keyboard != was.keyboard) f.keyboard = now.keyboard;
    if (now.scale != was.scale) f.scale = now.scale;
    if (now.fullscreen != was.fullscreen) f.fullscreen = now.fullscreen;
    if (now.language != was.language) f.language = now.language;
    Apply(now);
    std::error_code ignored;
    std::filesystem::create_directories(plat::PathOf(plat::ConfigDir()), ignored);
    return plat::ReplaceFile(FilePath(), Format(st.file, st.unknown));
}

}  // namespace settings
