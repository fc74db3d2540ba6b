// The General MIDI soundfonts Debian packages, as far as this machine has them: the sound
// tests level the music with each one they find.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace audiotest {

inline std::vector<std::string> InstalledGmSoundFonts() {
  std::vector<std::string> found, seen;
  for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                           "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3",
                           "/usr/share/sounds/sf3/FluidR3Mono_GM.sf3", "/usr/share/sounds/sf2/default-GM.sf2",
                           "/usr/share/sounds/sf3/default-GM.sf3"}) {
    std::error_code ec;
    std::string real = std::filesystem::canonical(path, ec).string();
    if (ec || !std::filesystem::is_regular_file(real)) continue;
    bool known = false;
    for (const std::string& s : seen) known |= s == real;
    if (known) continue;
    seen.push_back(real);
    found.push_back(path);
  }
  return found;
}

}  // namespace audiotest
