// The runner's --render-music NAME --soundfont PATH --seconds S --out FILE.wav: writes S
// seconds of a track as the game plays it (its level for that soundfont, the default music
// volume, the loop), 44,100 Hz stereo, with no sound device.
#pragma once

#include <functional>
#include <string>

namespace sim {

struct RenderMusicOptions {
  std::string track, soundFont, out;
  double seconds = 0;
  bool Wanted() const { return !track.empty(); }
};

// Takes arg (and its value through next) if it is one of the options above.
bool TakeRenderMusicOption(const std::string& arg, const std::function<std::string()>& next,
                           RenderMusicOptions& options);

// Empty when the options make a whole request, else what is wrong.
std::string CheckRenderMusicOptions(const RenderMusicOptions& options);

// Renders and writes the file: 0, or 1 with the reason on standard error.
int RenderMusicToFile(const RenderMusicOptions& options, const std::string& dataDir);

}  // namespace sim
