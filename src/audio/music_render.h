// A track as the game plays it, rendered to memory without a sound device: the level the
// game gives the track with that soundfont, the music volume, and the loop check once a
// second that restarts a track at its end.
#pragma once

#include <string>
#include <vector>

#include "audio/track_levels.h"

namespace audio {

struct RenderedMusic {
  int Rate = 0;
  std::vector<float> Left, Right;
  float Level = 1.0f;  // the track's level applied
};

// seconds of trackFile with the soundfont, at musicVolume percent. The level comes from
// the loudness cache, or is measured first (and kept there), over measureSeconds of the
// track as the game does. False with the reason when the track or the soundfont cannot be
// used.
bool RenderMusic(const std::string& trackFile, const std::string& soundFont, double seconds,
                 int musicVolume, RenderedMusic& out, std::string& error,
                 int measureSeconds = kMeasureSeconds);

}  // namespace audio
