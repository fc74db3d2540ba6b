#include "render_music.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

#include "audio/music_render.h"
#include "audio/sound.h"
#include "base/little_endian.h"

namespace sim {

namespace {

// An hour is far more than any check needs, and keeps the file within a wave's 4 GB.
constexpr double kMostSeconds = 3600;

std::vector<uint8_t> StereoWave16(const audio::RenderedMusic& music) {
  const uint32_t frames = uint32_t(std::min(music.Left.size(), music.Right.size()));
  const uint32_t data = frames * 4;
  std::vector<uint8_t> b;
  b.reserve(44 + data);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  base::AppendLe32(b, 36 + data);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  base::AppendLe32(b, 16);
  base::AppendLe16(b, 1);  // PCM
  base::AppendLe16(b, 2);
  base::AppendLe32(b, uint32_t(music.Rate));
  base::AppendLe32(b, uint32_t(music.Rate) * 4);
  base::AppendLe16(b, 4);
  base::AppendLe16(b, 16);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  base::AppendLe32(b, data);
  auto sample = [](float v) {
    return uint16_t(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)));
  };
  for (uint32_t i = 0; i < frames; ++i) {
    base::AppendLe16(b, sample(music.Left[i]));
    base::AppendLe16(b, sample(music.Right[i]));
  }
  return b;
}

}  // namespace

bool TakeRenderMusicOption(const std::string& arg, const std::function<std::string()>& next,
                           RenderMusicOptions& o) {
  if (arg == "--render-music") {
    o.track = next();
  } else if (arg == "--soundfont") {
    o.soundFont = next();
  } else if (arg == "--out") {
    o.out = next();
  } else if (arg == "--seconds") {
    std::string text = next();
    char* end = nullptr;
    o.seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(o.seconds > 0) || o.seconds > kMostSeconds)
      o.seconds = -1;  // reported by the check
  } else {
    return false;
  }
  return true;
}

std::string CheckRenderMusicOptions(const RenderMusicOptions& o) {
  if (!o.Wanted()) {
    if (!o.soundFont.empty() || !o.out.empty() || o.seconds != 0)
      return "--soundfont, --seconds and --out belong to --render-music";
    return "";
  }
  if (o.track.find('/') != std::string::npos || o.track.rfind("MC_", 0) != 0)
    return "--render-music takes a track's name, such as MC_9";
  if (o.soundFont.empty() || o.out.empty() || o.seconds == 0)
    return "--render-music needs --soundfont PATH, --seconds S and --out FILE.wav";
  if (o.seconds < 0) return "--seconds takes a number of seconds above 0, at most 3600";
  return "";
}

int RenderMusicToFile(const RenderMusicOptions& o, const std::string& dataDir) {
  std::string name = o.track;
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".mid") != 0) name += ".mid";
  audio::RenderedMusic music;
  std::string error;
  if (!audio::RenderMusic(dataDir + "/" + name, o.soundFont, o.seconds, audio::Setup{}.MusicVolume,
                          music, error)) {
    std::cerr << "mirovaan-sim: " << error << "\n";
    return 1;
  }
  std::vector<uint8_t> wave = StereoWave16(music);
  std::ofstream out(o.out, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(wave.data()), std::streamsize(wave.size()));
  out.close();
  if (!out) {
    std::cerr << "mirovaan-sim: cannot write " << o.out << "\n";
    return 1;
  }
  std::cout << o.track << ": level " << 20 * std::log10(music.Level) << " dB, " << o.seconds
            << " s written to " << o.out << "\n";
  return 0;
}

}  // namespace sim
