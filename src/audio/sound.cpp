#include "audio/sound.h"

#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "audio/engine.h"
#include "audio/midi_check.h"
#include "audio/track_levels.h"
#include "audio/wave.h"
#include "platform/files.h"
#include "state/window_model.h"
#include "state/state.h"
#include "platform/platform.h"
#include "platform/language.h"

namespace {

std::vector<int> musicCalls, effectCalls;
std::unique_ptr<audio::Engine> engine;
audio::Setup setup;
bool deviceBackend = false;
// Levels only for what is heard: a real output (or an offline one) with a soundfont.
std::unique_ptr<audio::TrackLevels> levels;
std::vector<uint8_t> playingMidi;  // the track open, for its level under another soundfont

// Code that plays sound before anyone chose a backend (a test, a tool) gets the virtual
// one: the rules hold, nothing is heard.
audio::Engine& Eng() {
  if (!engine) engine = std::make_unique<audio::Engine>(audio::EngineMode::Virtual);
  return *engine;
}

// Reads a track and checks its structure; on failure returns the text for the message box.
bool ReadMidi(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  auto read = platform::ReadRegularFile(path, audio::kMaxMidiBytes, platform::Excess::Refuse, bytes);
  std::optional<std::string> fault;
  if (!read) fault = read.Reason;
  else fault = audio::CheckMidi(bytes.data(), bytes.size());
  if (!fault) return true;
  error = Say({"音楽ファイルを読み込めません：{0}\n{1}", "Cannot read the music file {0}\n{1}"},
              {path, *fault});
  return false;
}

// Decoded effects, kept while the file stays the same: a coin run plays w_1 many times a
// second and should not read the disk each time.
struct CachedWave {
  struct timespec Time {};
  off_t Size = 0;
  int Rate = 0;
  std::vector<float> Samples;
  int LengthMs = 0;
};
std::map<std::string, CachedWave> waveCache;
std::set<std::string> effectsReported;

// Effects fail without a box, as the player would not want one for every coin; the reason
// is said once on the terminal.
void ReportEffect(const std::string& path, const std::string& reason) {
  if (!effectsReported.insert(path + reason).second) return;
  const std::string line = Say({"mirovaan: 効果音を鳴らせません：{0}（{1}）\n",
                                "mirovaan: cannot play the sound effect {0} ({1})\n"},
                               {path, reason});
  std::fputs(line.c_str(), stderr);
}

const CachedWave* LoadEffect(const std::string& path, int rate) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return nullptr;  // a missing effect is simply not heard
  auto found = waveCache.find(path);
  if (found != waveCache.end() && found->second.Time.tv_sec == st.st_mtim.tv_sec &&
      found->second.Time.tv_nsec == st.st_mtim.tv_nsec && found->second.Size == st.st_size &&
      found->second.Rate == rate)
    return &found->second;
  std::vector<uint8_t> bytes;
  auto read = platform::ReadRegularFile(path, audio::kMaxWaveBytes, platform::Excess::Refuse, bytes);
  audio::WaveData wave;
  if (!read || !audio::ParseWave(bytes, wave)) {
    ReportEffect(path, read ? Pick({"PCM の WAVE ファイルではありません", "not a PCM WAVE file"})
                            : read.Reason);
    waveCache.erase(path);
    return nullptr;
  }
  CachedWave& entry = waveCache[path];
  entry.Time = st.st_mtim;
  entry.Size = st.st_size;
  entry.Rate = rate;
  entry.Samples = audio::ToMonoAt(wave, rate);
  entry.LengthMs = wave.LengthMs();
  return &entry;
}

// Sets the open track's level for the soundfont in use: at once for a track about to start,
// gliding for one that plays on under another soundfont or output. A level not known yet
// is learnt by listening to the track's first pass (FollowTrackLevel).
void LevelPlayingTrack(bool glide) {
  audio::Engine& e = Eng();
  bool heard = e.Mode() == audio::EngineMode::Device || e.Mode() == audio::EngineMode::Offline;
  if (!levels || playingMidi.empty() || !heard || e.SoundFont().empty()) {
    if (levels) levels->End();
    e.SetTrackLevel(1.0f, glide);
    return;
  }
  e.SetTrackLevel(levels->Begin(e.SoundFont(), playingMidi).Level, glide);
}

// Once a second while music plays: a track whose level is being learnt glides towards what
// has been heard of it so far, and keeps its level once its first pass has been heard.
void FollowTrackLevel() {
  if (!levels || !levels->Listening()) return;
  audio::Engine::PassLoudness pass = Eng().MusicPassLoudness();
  if (!pass.Valid || (pass.HeardSeconds < audio::kFirstGuessSeconds && !pass.Complete)) return;
  Eng().SetTrackLevel(levels->Heard(pass.Lufs, pass.Complete), true);
}

void StopLevels() { levels.reset(); }

}  // namespace

void PlayMusic(uint8_t track) {
  musicCalls.push_back(track);
  if (track < kTrackSilence && G.MusicOn) {
    std::string path = AppDir + "MC_" + std::to_string(track) + ".mid";
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadMidi(path, bytes, error)) {
      // Opening closes the track that was open; the failed open leaves nothing playing,
      // MusicTimer and MusicTrack as they were, and the game goes on after the message.
      Eng().StopMusic();
      playingMidi.clear();
      if (levels) levels->End();
      platform::Os().ShowError(error);
      return;
    }
    playingMidi = bytes;
    LevelPlayingTrack(false);
    Eng().OpenMusic(std::move(bytes));
    // The last track's instruments were let go for this one's; give their memory back.
    if (deviceBackend) malloc_trim(0);
    Eng().PlayMusic();
    SetTimerEnabled(Window.MusicTimer, true);
  } else {
    Eng().StopMusic();
    playingMidi.clear();
    if (levels) levels->End();
    SetTimerEnabled(Window.MusicTimer, false);
  }
  G.MusicTrack = track;
}

void OnMusicTimer() {
  FollowTrackLevel();
  if (Eng().MusicAtEnd()) Eng().PlayMusic();
}

void PlayEffect(uint8_t number) {
  effectCalls.push_back(number);
  if (!G.EffectsOn || number > kEffectBossFalls) return;
  const CachedWave* wave = LoadEffect(AppDir + "w_" + std::to_string(number) + ".wav", Eng().SampleRate());
  if (!wave) return;  // a missing or broken wave is simply not heard
  Eng().StartEffect(number, wave->Samples);
  if (number == kEffectBossFalls) Eng().WaitEffectEnd(wave->LengthMs);
}

namespace audio {

void Init(Backend backend, const Setup& wanted) {
  StopLevels();
  playingMidi.clear();
  engine.reset();
  setup = wanted;
  deviceBackend = backend == Backend::Device;
  EngineMode mode = deviceBackend ? EngineMode::Device
                                  : backend == Backend::Offline ? EngineMode::Offline : EngineMode::Virtual;
  engine = std::make_unique<Engine>(mode, DeviceChoice{wanted.SoundFont, wanted.Output});
  SetMusicVolume(wanted.MusicVolume);
  SetEffectVolume(wanted.EffectVolume);
  if (mode != EngineMode::Virtual) {
    levels = std::make_unique<TrackLevels>(LoudnessCache::DefaultFile());
    engine->SetPassSeconds(levels->Seconds());
  }
}

void BeginShutdown() {
  if (engine) engine->FadeOut();
}

void Shutdown(bool programEnding) {
  // The ramp is 15 ms; a stalled output is not waited for much longer.
  constexpr int kMaxWaitMs = 40;
  StopLevels();
  if (!engine) return;
  engine->FadeOut();
  engine->WaitFadedOut(kMaxWaitMs);
  if (programEnding && engine->Mode() == EngineMode::Device) {
    // Closing a stream waits until the sound server next asks for data, which PulseAudio
    // does only every half second or so: the player would see the program linger after
    // the window has gone. The music has faded to silence, and the process's end closes
    // the stream.
    (void)engine.release();
    return;
  }
  engine.reset();
}

void SetMusicVolume(int percent) {
  setup.MusicVolume = std::clamp(percent, 0, 100);
  Eng().SetMusicGain(setup.MusicVolume / 100.0f);
}

void SetEffectVolume(int percent) {
  setup.EffectVolume = std::clamp(percent, 0, 100);
  Eng().SetEffectGain(setup.EffectVolume / 100.0f);
}

bool SetSoundFont(const std::string& path, std::string& error) {
  if (!Eng().ChangeSoundFont(path, error)) return false;
  setup.SoundFont = path;
  LevelPlayingTrack(true);
  return true;
}

bool SetOutput(const std::string& driver) {
  setup.Output = driver;
  bool opened = Eng().ChangeDriver(driver);
  LevelPlayingTrack(true);
  return opened;
}

const Setup& CurrentSetup() { return setup; }

void PlayTestSound() {
  // The cursor's effect: short, and heard whether or not the game's effects are on.
  const CachedWave* wave = LoadEffect(AppDir + "w_3.wav", Eng().SampleRate());
  if (wave) Eng().StartEffect(3, wave->Samples);
}

std::vector<std::string> SoundFontsFound() { return DefaultSoundFonts(); }
std::vector<std::string> OutputChoices() { return OutputDrivers(); }

const std::vector<int>& MusicCalls() { return musicCalls; }
const std::vector<int>& EffectCalls() { return effectCalls; }
void ClearCallLog() {
  musicCalls.clear();
  effectCalls.clear();
}

void AdvanceClock(int ms) { Eng().Advance(ms); }
int64_t ClockMs() { return Eng().ClockMs(); }

Status CurrentStatus() {
  Engine& e = Eng();
  Status s;
  s.MusicOpen = e.MusicOpen();
  s.MusicPlaying = e.MusicPlaying();
  s.MusicStarts = e.MusicStarts();
  s.MusicElapsedMs = e.MusicElapsedMs();
  s.MusicPositionTicks = e.MusicPositionTicks();
  s.MusicLengthTicks = e.MusicLengthTicks();
  s.Effect = e.EffectPlaying();
  s.EffectElapsedMs = e.EffectElapsedMs();
  s.TrackLevel = e.TrackLevel();
  return s;
}

OutputInfo Output() {
  Engine& e = Eng();
  OutputInfo info;
  info.Driver = e.DriverName();
  info.SoundFont = e.SoundFont();
  info.SoundFontMissing = deviceBackend && e.SoundFont().empty();
  info.SampleRate = e.SampleRate();
  info.PeriodSize = e.PeriodSize();
  info.Periods = e.Periods();
  info.BufferMs = e.Mode() == EngineMode::Device ? e.OutputBufferMs() : 0;
  info.MaxEffectStartDelayMs = e.MaxEffectStartDelayMs();
  return info;
}

}  // namespace audio
