// The sound control: three property assignments play one file.
// SPDX-License-Identifier: GPL-3.0-or-later
//   SetProperty(1, 7); SetProperty(5, path); SetProperty(1, 6);
// Silent where there is no audio device or no file.
#pragma once
#include <string>
#include <vector>

namespace plat {

class SoundControl {
public:
    void SetProperty(int id, int value);
    void SetProperty(int id, const std::string& value);
    // Every assignment as text ("1=7", "5=/path", "1=6"), for tests.
    std::vector<std::string> log;
    std::vector<std::string> played;  // paths handed to the mixer

private:
    std::string path_;
};

// Opens the audio device once; false (and silence) when there is none.
bool OpenAudio();
void CloseAudio();

}  // namespace plat
