#include "audio/sound.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "audio/engine.h"
#include "audio/wave.h"
#include "state/form.h"
#include "state/state.h"
#include "platform/platform.h"

namespace {

std::vector<int> musicCalls, effectCalls;
std::unique_ptr<audio::Engine> engine;

// Code that plays sound before anyone chose a backend (a test, a tool) gets the virtual
// one: the rules hold, nothing is heard.
audio::Engine& Eng() {
  if (!engine) engine = std::make_unique<audio::Engine>(audio::EngineMode::Virtual);
  return *engine;
}

// Reads a track; on failure returns the text for the message box.
bool ReadMidi(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    error = "音楽ファイルが見つかりません: " + path;
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), {});
  if (!in && !in.eof()) {
    error = "音楽ファイルを読めません: " + path;
    return false;
  }
  if (bytes.size() < 22 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") {
    error = "MIDI ファイルではありません: " + path;
    return false;
  }
  return true;
}

// Decoded effects, kept while the file stays the same: a coin run plays w_1 many times a
// second and should not read the disk each time.
struct CachedWave {
  std::filesystem::file_time_type Time;
  uintmax_t Size = 0;
  int Rate = 0;
  std::vector<float> Samples;
  int LengthMs = 0;
};
std::map<std::string, CachedWave> waveCache;

const CachedWave* LoadEffect(const std::string& path, int rate) {
  std::error_code ec;
  auto time = std::filesystem::last_write_time(path, ec);
  if (ec) return nullptr;
  uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return nullptr;
  auto found = waveCache.find(path);
  if (found != waveCache.end() && found->second.Time == time && found->second.Size == size &&
      found->second.Rate == rate)
    return &found->second;
  audio::WaveData wave;
  if (!audio::LoadWave(path, wave)) return nullptr;
  CachedWave& entry = waveCache[path];
  entry.Time = time;
  entry.Size = size;
  entry.Rate = rate;
  entry.Samples = audio::ToMonoAt(wave, rate);
  entry.LengthMs = wave.LengthMs();
  return &entry;
}

}  // namespace

void PlayMusic(uint8_t track) {
  musicCalls.push_back(track);
  if (track < kTrackSilence && G.MusicOn) {
    std::string path = AppDir + "MC_" + std::to_string(track) + ".mid";
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadMidi(path, bytes, error)) {
      // Opening closes the track that was open; the failed open leaves nothing playing,
      // Timer2 and MusicTrack as they were, and the game goes on after the message.
      Eng().StopMusic();
      platform::Os().ShowError(error);
      return;
    }
    Eng().OpenMusic(std::move(bytes));
    Eng().PlayMusic();
    SetTimerEnabled(Form1.Timer2, true);
  } else {
    Eng().StopMusic();
    SetTimerEnabled(Form1.Timer2, false);
  }
  G.MusicTrack = track;
}

void Timer2Timer() {
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

void Init(Backend backend) {
  engine.reset();
  engine = std::make_unique<Engine>(backend == Backend::Device ? EngineMode::Device : EngineMode::Virtual);
}

void Shutdown() { engine.reset(); }

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
  return s;
}

OutputInfo Output() {
  Engine& e = Eng();
  OutputInfo info;
  info.Driver = e.DriverName();
  info.SoundFont = e.SoundFont();
  info.SampleRate = e.SampleRate();
  info.PeriodSize = e.PeriodSize();
  info.Periods = e.Periods();
  info.BufferMs = e.Mode() == EngineMode::Device ? e.OutputBufferMs() : 0;
  info.MaxEffectStartDelayMs = e.MaxEffectStartDelayMs();
  return info;
}

}  // namespace audio
