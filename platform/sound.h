// The sound control: three property assignments play one file.
// SPDX-License-Identifier: GPL-3.0-or-later
//   SetProperty(1, 7); SetProperty(5, path); SetProperty(1, 6);
// The host plays the file (the headless one records it); silent where there
// is no audio device or no file.
#pragma once
#include <string>

namespace plat {

class SoundControl {
public:
    void SetProperty(int id, int value);
    void SetProperty(int id, const std::string& value);

private:
    std::string path_;
};

// Opens the audio device once; false (and silence) when there is none.
bool OpenAudio();
void CloseAudio();
// Plays the file through the mixer, on a channel of its own; nothing where
// the device is closed or the file unreadable.
void PlaySoundFile(const std::string& path);
// Silences every channel at once.
void StopSoundFiles();
// Through the host when there is one.
void StopSounds();

}  // namespace plat
