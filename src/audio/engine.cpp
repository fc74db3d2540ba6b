#include "audio/engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

namespace audio {

namespace {

// Output buffer of the Device mode: 4 periods of 128 frames at 44.1 kHz hold 11.6 ms, so an
// effect asked for between two callbacks is heard well within 30 ms, with enough slack for
// a busy machine not to underrun.
constexpr int kPeriodSize = 128;
constexpr int kPeriods = 4;
constexpr int kRate = 44100;
// The effect sits a little above the music, as a game's effects should.
constexpr float kEffectGain = 0.7f;
constexpr float kSynthGain = 0.45f;
// The ramp to silence at exit: long enough not to click, short enough not to be waited for.
constexpr float kFadeMs = 15.0f;
// How fast a track's level moves once its loudness is known: slow enough to sound like a
// fade rather than a jump, quick enough that the track settles within a few seconds.
constexpr float kLevelGlideDbPerSecond = 6.0f;

// The longest the game waits for an effect to end, however long a caller says it is.
constexpr int kLongestWaitMs = 5000;

const char* const kDrivers[] = {"pulseaudio", "pipewire", "alsa", "jack", "oss"};

// FluidSynth's own messages would clutter the terminal on every machine without a sound
// device; we say once what matters ourselves.
void QuietLog(int, const char*, void*) {}

void SetLogQuiet(bool quiet) {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, quiet || level != FLUID_ERR ? QuietLog : fluid_default_log_function,
                           nullptr);
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

float Clamp(float v) { return v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v); }

}  // namespace

std::vector<std::string> DefaultSoundFonts() {
  // The library knows the system's soundfont but does not load it itself.
  std::vector<std::string> candidates;
  fluid_settings_t* settings = new_fluid_settings();
  char* configured = nullptr;
  if (settings &&
      fluid_settings_dupstr(settings, "synth.default-soundfont", &configured) == FLUID_OK &&
      configured) {
    candidates.emplace_back(configured);
    fluid_free(configured);
  }
  if (settings) delete_fluid_settings(settings);
  candidates.emplace_back("/usr/share/sounds/sf2/default-GM.sf2");
  candidates.emplace_back("/usr/share/sounds/sf2/TimGM6mb.sf2");
  candidates.emplace_back("/usr/share/sounds/sf2/FluidR3_GM.sf2");
  // Debian's compressed General MIDI soundfonts come without an .sf2 beside them.
  candidates.emplace_back("/usr/share/sounds/sf3/default-GM.sf3");
  candidates.emplace_back("/usr/share/sounds/sf3/MuseScore_General.sf3");
  candidates.emplace_back("/usr/share/sounds/sf3/FluidR3Mono_GM.sf3");
  std::vector<std::string> found;
  for (const std::string& path : candidates)
    if (IsFile(path) && std::find(found.begin(), found.end(), path) == found.end())
      found.push_back(path);
  return found;
}

std::vector<std::string> OutputDrivers() {
  std::vector<std::string> offered;
  fluid_settings_t* settings = new_fluid_settings();
  if (!settings) return offered;
  fluid_settings_foreach_option(
      settings, "audio.driver", &offered, [](void* data, const char*, const char* option) {
        static_cast<std::vector<std::string>*>(data)->emplace_back(option);
      });
  delete_fluid_settings(settings);
  std::vector<std::string> drivers;
  for (const char* name : kDrivers)
    if (std::find(offered.begin(), offered.end(), name) != offered.end()) drivers.emplace_back(name);
  return drivers;
}

Engine::Engine(EngineMode wanted, DeviceChoice choice) : mode_(wanted) {
  // An offline engine may be made on another thread while a device is being probed, with
  // the library's messages held back; leave that alone.
  if (mode_ != EngineMode::Offline) SetLogQuiet(false);
  settings_ = new_fluid_settings();
  fluid_settings_setnum(settings_, "synth.sample-rate", kRate);
  fluid_settings_setint(settings_, "synth.lock-memory", 0);
  // Samples are read when a program first needs them: a game uses a few dozen of a General
  // MIDI soundfont's instruments, and the large soundfonts would otherwise sit whole in memory.
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  fluid_settings_setnum(settings_, "synth.gain", kSynthGain);
  fluid_settings_setstr(settings_, "player.timing-source", "sample");
  // We loop ourselves (MusicTimer) and reset the synth ourselves on a change of track, so that a
  // loop lets the last chord's tail ring out instead of cutting it.
  fluid_settings_setint(settings_, "player.reset-synth", 0);
  if (mode_ == EngineMode::Virtual) {
    // Nothing is heard: no soundfont, no effects units, only the clock of the player.
    fluid_settings_setint(settings_, "synth.reverb.active", 0);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
  }
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    std::fprintf(stderr, "mirovaan: cannot start the synthesizer; no music\n");
  }
  scratchL_.resize(4096);
  scratchR_.resize(4096);
  deviceWanted_ = mode_ == EngineMode::Device;
  if (mode_ == EngineMode::Device && synth_) {
    LoadChosenSoundFont(choice.SoundFont);
    OpenDriver(choice.Driver);
  } else if (mode_ == EngineMode::Device) {
    mode_ = EngineMode::Silent;
  } else if (mode_ == EngineMode::Offline && synth_) {
    std::string error;
    if (!LoadSoundFont(choice.SoundFont, error)) std::fprintf(stderr, "mirovaan: %s\n", error.c_str());
  }
  wallStart_ = std::chrono::steady_clock::now();
}

Engine::~Engine() {
  CloseDriver();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    DeletePlayerLocked();
  }
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

// The player's own choice first; when it cannot load, the system's, so that a soundfont
// deleted since the last run does not cost the music.
void Engine::LoadChosenSoundFont(const std::string& path) {
  std::string error;
  if (!path.empty()) {
    if (LoadSoundFont(path, error)) return;
    std::fprintf(stderr, "mirovaan: %s; using the system's soundfont\n", error.c_str());
  }
  if (!LoadSoundFont("", error)) std::fprintf(stderr, "mirovaan: %s\n", error.c_str());
}

// Loads path ("" the system's first usable one) over the one in use, then drops the old one:
// the channels keep their programs, so the music goes on with the new instruments.
bool Engine::LoadSoundFont(const std::string& path, std::string& error) {
  if (!synth_) {
    error = "no synthesizer";
    return false;
  }
  std::vector<std::string> candidates = path.empty() ? DefaultSoundFonts()
                                                     : std::vector<std::string>{path};
  for (const std::string& file : candidates) {
    if (!IsFile(file)) continue;
    // Presets are not reset: that would give every channel an instrument, read whole.
    int id = fluid_synth_sfload(synth_, file.c_str(), 0);
    if (id == FLUID_FAILED) continue;
    MoveChannelsToSoundFont(synth_, sfontId_, channelUses_);
    sfontId_ = id;
    soundfont_ = file;
    return true;
  }
  if (path.empty())
    error = "no General MIDI soundfont found; music is silent";
  else
    error = (IsFile(path) ? "not a usable soundfont: " : "no such soundfont: ") + path;
  return false;
}

bool Engine::ChangeSoundFont(const std::string& path, std::string& error) {
  CatchUpWallClock();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    passValid_ = false;  // the pass so far was heard with the other soundfont
  }
  if (!LoadSoundFont(path, error)) return false;
  // Silent: nothing is heard, so the samples need not stay; the name is kept for the
  // output that may come.
  if (mode_ != EngineMode::Device && sfontId_ >= 0 && deviceWanted_) {
    fluid_synth_sfunload(synth_, sfontId_, 1);
    sfontId_ = -1;
  }
  return true;
}

bool Engine::TryDriver(const std::string& name) {
  if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK) return false;
  audioDriver_ = new_fluid_audio_driver2(settings_, &Engine::DriverCallback, this);
  if (!audioDriver_) return false;
  driver_ = name;
  return true;
}

bool Engine::OpenDriver(const std::string& preferred) {
  // JACK would otherwise try to start a server of its own.
  setenv("JACK_NO_START_SERVER", "1", 0);
  fluid_settings_setint(settings_, "audio.period-size", kPeriodSize);
  fluid_settings_setint(settings_, "audio.periods", kPeriods);
  SetLogQuiet(true);
  // The sound libraries under the drivers (ALSA above all) print their own complaints on a
  // machine without a device; hold stderr while probing and say it once ourselves.
  fflush(stderr);
  int savedErr = dup(2);
  int devNull = open("/dev/null", O_WRONLY);
  if (savedErr >= 0 && devNull >= 0) dup2(devNull, 2);
  bool gotPreferred = !preferred.empty() && TryDriver(preferred);
  for (const char* name : kDrivers)
    if (!audioDriver_ && TryDriver(name)) break;
  fflush(stderr);
  if (savedErr >= 0) {
    dup2(savedErr, 2);
    close(savedErr);
  }
  if (devNull >= 0) close(devNull);
  SetLogQuiet(false);
  if (audioDriver_) {
    fluid_settings_getint(settings_, "audio.period-size", &periodSize_);
    fluid_settings_getint(settings_, "audio.periods", &periods_);
    fluid_synth_reverb_on(synth_, -1, 1);
    fluid_synth_chorus_on(synth_, -1, 1);
    mode_ = EngineMode::Device;
    return gotPreferred || preferred.empty();
  }
  std::fprintf(stderr, "mirovaan: no audio output (tried pulseaudio, pipewire, alsa, jack, oss); "
                       "the game runs without sound\n");
  mode_ = EngineMode::Silent;
  wallStart_ = std::chrono::steady_clock::now();
  clockFrames_ = 0;
  // Nothing will be heard, so spare the machine the synthesis, and the effects units that
  // would go over the silence it leaves; the player keeps its clock.
  if (sfontId_ >= 0) fluid_synth_sfunload(synth_, sfontId_, 1);
  sfontId_ = -1;
  fluid_synth_reverb_on(synth_, -1, 0);
  fluid_synth_chorus_on(synth_, -1, 0);
  return false;
}

void Engine::CloseDriver() {
  if (audioDriver_) delete_fluid_audio_driver(audioDriver_);
  audioDriver_ = nullptr;
  driver_.clear();
}

bool Engine::ChangeDriver(const std::string& driver) {
  if (!deviceWanted_ || !synth_) return false;
  CatchUpWallClock();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    passValid_ = false;  // its soundfont may come back only now
  }
  CloseDriver();
  // A soundfont set aside while silent comes back for the new output.
  if (sfontId_ < 0 && !soundfont_.empty()) {
    std::string error;
    LoadSoundFont(soundfont_, error);
  }
  return OpenDriver(driver);
}

void Engine::SetMusicGain(float gain) {
  gain = std::clamp(gain, 0.0f, 1.0f);
  if (synth_) fluid_synth_set_gain(synth_, kSynthGain * gain);
  std::lock_guard<std::mutex> lock(mutex_);
  if (gain != musicGain_) passValid_ = false;
  musicGain_ = gain;
}

void Engine::SetPassSeconds(int seconds) {
  std::lock_guard<std::mutex> lock(mutex_);
  passLimit_ = int64_t(seconds) * rate_;
}

Engine::PassLoudness Engine::MusicPassLoudness() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  PassLoudness pass;
  pass.Valid = passValid_;
  pass.Complete = passComplete_;
  pass.HeardSeconds = double(passFrames_) / rate_;
  // What was heard went through the music volume; the level is for full volume.
  if (passValid_) pass.Lufs = passMeter_.Integrated() - 20.0 * std::log10(passGain_);
  return pass;
}

void Engine::StartPassLocked() {
  passMeter_ = LoudnessMeter(rate_);
  passFrames_ = 0;
  passComplete_ = false;
  passGain_ = musicGain_;
  passValid_ = (mode_ == EngineMode::Device || mode_ == EngineMode::Offline) && sfontId_ >= 0 &&
               musicGain_ > 0.0f && passLimit_ > 0;
}

void Engine::HearPassLocked(int frames, const float* left, const float* right) {
  int64_t n = std::min<int64_t>(frames, passLimit_ - passFrames_);
  passMeter_.Add(left, right, size_t(n));
  passFrames_ += n;
  if (passFrames_ >= passLimit_ || AtEndLocked()) passComplete_ = true;
}

void Engine::SetTrackLevel(float level, bool glide) {
  std::lock_guard<std::mutex> lock(mutex_);
  trackLevelTarget_ = std::clamp(level, 0.01f, 16.0f);
  if (!glide) trackLevel_ = trackLevelTarget_;
}

float Engine::TrackLevel() {
  std::lock_guard<std::mutex> lock(mutex_);
  return trackLevel_;
}

void Engine::SetEffectGain(float gain) {
  std::lock_guard<std::mutex> lock(mutex_);
  effectGain_ = std::clamp(gain, 0.0f, 1.0f);
}

void Engine::RenderInto(int frames, float* left, float* right) {
  std::lock_guard<std::mutex> lock(mutex_);
  RenderLocked(frames, left, right);
}

void Engine::FadeOut() {
  std::lock_guard<std::mutex> lock(mutex_);
  fading_ = true;
}

void Engine::WaitFadedOut(int maxMs) {
  if (mode_ != EngineMode::Device) return;
  // The driver's thread plays the ramp; once silent, the buffer still holds its last part.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
  while (!faded_ && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  auto drained = std::chrono::steady_clock::now() +
                 std::chrono::microseconds(int64_t(OutputBufferMs() * 1000));
  std::this_thread::sleep_until(std::min(drained, deadline));
}

int Engine::DriverCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
  auto* self = static_cast<Engine*>(data);
  for (int i = 0; i < nfx; ++i)
    if (fx && fx[i]) std::fill(fx[i], fx[i] + len, 0.0f);
  for (int i = 2; i < nout; ++i)
    if (out[i]) std::fill(out[i], out[i] + len, 0.0f);
  if (nout < 2 || !out[0] || !out[1]) return FLUID_OK;
  std::lock_guard<std::mutex> lock(self->mutex_);
  self->RenderLocked(len, out[0], out[1]);
  return FLUID_OK;
}

// Renders frames of synth and effect; the player advances with the synth's samples.
void Engine::RenderLocked(int frames, float* left, float* right) {
  if (synth_) {
    fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
  } else {
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
  }
  if (player_) musicFrames_ += frames;
  if (passValid_ && !passComplete_ && player_) HearPassLocked(frames, left, right);
  if (trackLevel_ != 1.0f || trackLevelTarget_ != 1.0f) ApplyTrackLevelLocked(frames, left, right);
  if (effectPos_ < effect_.size()) {
    if (effectDelayPending_ && mode_ == EngineMode::Device) {
      auto delay = std::chrono::steady_clock::now() - effectAsked_;
      double ms = std::chrono::duration<double, std::milli>(delay).count();
      if (ms > maxEffectDelayMs_) maxEffectDelayMs_ = ms;
      effectDelayPending_ = false;
    }
    size_t n = std::min(effect_.size() - effectPos_, size_t(frames));
    for (size_t i = 0; i < n; ++i) {
      float s = effect_[effectPos_ + i] * kEffectGain * effectGain_;
      left[i] = Clamp(left[i] + s);
      right[i] = Clamp(right[i] + s);
    }
    effectPos_ += n;
  }
  if (fading_) ApplyFadeLocked(frames, left, right);
}

// The glide moves by a constant factor per frame, an even number of dB a second.
void Engine::ApplyTrackLevelLocked(int frames, float* left, float* right) {
  const float step = std::pow(10.0f, kLevelGlideDbPerSecond / 20.0f / float(rate_));
  for (int i = 0; i < frames; ++i) {
    if (trackLevel_ < trackLevelTarget_) trackLevel_ = std::min(trackLevel_ * step, trackLevelTarget_);
    else if (trackLevel_ > trackLevelTarget_) trackLevel_ = std::max(trackLevel_ / step, trackLevelTarget_);
    left[i] = Clamp(left[i] * trackLevel_);
    right[i] = Clamp(right[i] * trackLevel_);
  }
}

void Engine::ApplyFadeLocked(int frames, float* left, float* right) {
  const float step = 1.0f / (kFadeMs * rate_ / 1000.0f);
  for (int i = 0; i < frames; ++i) {
    left[i] *= fade_;
    right[i] *= fade_;
    fade_ = std::max(0.0f, fade_ - step);
  }
  if (fade_ <= 0.0f) faded_ = true;
}

void Engine::RenderOffline(int64_t frames) {
  std::lock_guard<std::mutex> lock(mutex_);
  while (frames > 0) {
    int n = int(std::min<int64_t>(frames, int64_t(scratchL_.size())));
    RenderLocked(n, scratchL_.data(), scratchR_.data());
    clockFrames_ += n;
    frames -= n;
  }
}

void Engine::CatchUpWallClock() {
  if (mode_ != EngineMode::Silent) return;
  auto elapsed = std::chrono::steady_clock::now() - wallStart_;
  int64_t target = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * rate_ / 1000000;
  int64_t behind = target - clockFrames_;
  // After a long stall (a modal dialog, a suspended machine) do not spend seconds catching
  // up in one go; the music simply resumes.
  if (behind > int64_t(rate_) * 5) {
    clockFrames_ = target - int64_t(rate_) * 5;
    behind = int64_t(rate_) * 5;
  }
  if (behind > 0) RenderOffline(behind);
}

void Engine::NewPlayerLocked(bool rewind) {
  if (player_) {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  if (synth_) {
    if (rewind) {
      fluid_synth_all_notes_off(synth_, -1);
    } else {
      fluid_synth_all_sounds_off(synth_, -1);
      ResetChannelsFor(synth_, channelUses_);
    }
  }
  if (!synth_ || midi_.empty()) return;
  player_ = new_fluid_player(synth_);
  if (!player_) return;
  if (fluid_player_add_mem(player_, midi_.data(), midi_.size()) != FLUID_OK) {
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  musicFrames_ = 0;
}

void Engine::DeletePlayerLocked() {
  if (player_) {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  if (synth_) fluid_synth_all_sounds_off(synth_, -1);
}

void Engine::OpenMusic(std::vector<uint8_t> midiBytes) {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  midi_ = std::move(midiBytes);
  channelUses_ = ScanChannels(midi_);
  NewPlayerLocked(false);
}

void Engine::PlayMusic() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  if (!player_) {
    if (midi_.empty()) return;
    NewPlayerLocked(false);
    if (!player_) return;
  } else if (AtEndLocked()) {
    // Rewind: a fresh player over the same bytes starts cleanly at tick 0, which a
    // replayed finished player does not promise.
    NewPlayerLocked(true);
    if (!player_) return;
  }
  if (fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING) return;
  if (musicFrames_ == 0) {
    ++starts_;
    StartPassLocked();
  }
  fluid_player_play(player_);
}

void Engine::StopMusic() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  DeletePlayerLocked();
  midi_.clear();
}

bool Engine::MusicOpen() {
  std::lock_guard<std::mutex> lock(mutex_);
  return player_ != nullptr;
}

bool Engine::MusicPlaying() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

int Engine::MusicPositionTicks() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  if (!player_) return 0;
  int length = fluid_player_get_total_ticks(player_);
  if (length > 0 && AtEndLocked()) return length;
  return fluid_player_get_current_tick(player_);
}

int Engine::MusicLengthTicks() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return player_ ? fluid_player_get_total_ticks(player_) : 0;
}

bool Engine::MusicAtEnd() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return AtEndLocked();
}

bool Engine::AtEndLocked() {
  if (!player_) return false;
  // A just-opened track reads 0 of 0 until the audio thread has parsed it; that is a
  // track about to start, not one that has ended.
  int length = fluid_player_get_total_ticks(player_);
  if (length <= 0) return false;
  // The player keeps counting ticks past the last event and reports itself done only some
  // seconds later, once the last notes have died away; the track has ended at its length.
  return fluid_player_get_current_tick(player_) >= length ||
         fluid_player_get_status(player_) == FLUID_PLAYER_DONE;
}

int64_t Engine::MusicElapsedMs() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return (musicFrames_ * 1000 + rate_ / 2) / rate_;
}

void Engine::StartEffect(int number, std::vector<float> samples) {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  effect_ = std::move(samples);
  effectPos_ = 0;
  effectNumber_ = number;
  ++effectSerial_;
  effectAsked_ = std::chrono::steady_clock::now();
  effectDelayPending_ = true;
}

void Engine::WaitEffectEnd(int lengthMs) {
  if (lengthMs <= 0) return;
  // The game stands still while it waits; no sound the game plays is longer than this.
  lengthMs = std::min(lengthMs, kLongestWaitMs);
  if (VirtualClock()) {
    Advance(lengthMs);
    return;
  }
  if (mode_ == EngineMode::Silent) {
    std::this_thread::sleep_for(std::chrono::milliseconds(lengthMs));
    CatchUpWallClock();
    return;
  }
  uint64_t serial;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    serial = effectSerial_;
  }
  // The driver may stall (a device unplugged); never wait much past the sound's own length.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(lengthMs + 1000);
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (effectSerial_ != serial || effectPos_ >= effect_.size()) break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // The last samples are now in the output buffer; they are heard once it drains.
  std::this_thread::sleep_for(std::chrono::microseconds(int64_t(OutputBufferMs() * 1000)));
}

int Engine::EffectPlaying() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return effectPos_ < effect_.size() ? effectNumber_ : -1;
}

int64_t Engine::EffectElapsedMs() {
  CatchUpWallClock();
  std::lock_guard<std::mutex> lock(mutex_);
  return (int64_t(effectPos_) * 1000 + rate_ / 2) / rate_;
}

void Engine::Advance(int ms) {
  if (!VirtualClock() || ms <= 0) return;
  // Keep the clock exact in milliseconds: render up to the frame that the new time names.
  int64_t nowMs = ClockMs() + ms;
  int64_t target = nowMs * rate_ / 1000;
  RenderOffline(target - clockFrames_);
  virtualMs_ = nowMs;
}

int64_t Engine::ClockMs() {
  if (VirtualClock()) return virtualMs_;
  std::lock_guard<std::mutex> lock(mutex_);
  return clockFrames_ * 1000 / rate_;
}

double Engine::MaxEffectStartDelayMs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return maxEffectDelayMs_;
}

}  // namespace audio
