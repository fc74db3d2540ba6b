#include "audio/music_render.h"

#include <algorithm>
#include <cstdint>

#include "audio/engine.h"
#include "audio/loudness_cache.h"
#include "audio/midi_check.h"
#include "audio/track_levels.h"
#include "platform/files.h"

namespace audio {

bool RenderMusic(const std::string& trackFile, const std::string& soundFont, double seconds,
                 int musicVolume, RenderedMusic& out, std::string& error, int measureSeconds) {
  std::vector<uint8_t> midi;
  auto read = platform::ReadRegularFile(trackFile, kMaxMidiBytes, platform::Excess::Refuse, midi);
  if (!read) {
    error = "cannot read " + trackFile;
    return false;
  }
  if (auto fault = CheckMidi(midi.data(), midi.size())) {
    error = trackFile + " is not a playable MIDI file";
    return false;
  }
  Engine engine(EngineMode::Offline, DeviceChoice{soundFont, ""});
  if (engine.SoundFont().empty() || engine.SoundFont() != soundFont) {
    error = "cannot load the soundfont " + soundFont;
    return false;
  }
  TrackLevels levels(LoudnessCache::DefaultFile(), measureSeconds);
  out.Level = levels.LevelNow(soundFont, midi);
  out.Rate = engine.SampleRate();
  engine.SetMusicGain(std::clamp(musicVolume, 0, 100) / 100.0f);
  engine.SetTrackLevel(out.Level, false);
  engine.OpenMusic(std::move(midi));
  engine.PlayMusic();
  const int64_t total = int64_t(seconds * out.Rate + 0.5);
  out.Left.assign(size_t(total), 0.0f);
  out.Right.assign(size_t(total), 0.0f);
  // The game looks once a second whether the track has ended, and starts it again if so.
  const int64_t checkEvery = out.Rate;
  for (int64_t done = 0; done < total;) {
    int64_t nextCheck = (done / checkEvery + 1) * checkEvery;
    int frames = int(std::min({total - done, nextCheck - done, int64_t(4096)}));
    engine.RenderInto(frames, out.Left.data() + done, out.Right.data() + done);
    done += frames;
    if (done == nextCheck && engine.MusicAtEnd()) engine.PlayMusic();
  }
  return true;
}

}  // namespace audio
