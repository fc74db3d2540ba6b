// The sound engine under PlayMusic / PlayEffect: one FluidSynth synthesizer with one MIDI
// player on it, and one effect channel mixed into the same output. A new effect replaces the
// one playing. Three ways to run it:
//  - Device: FluidSynth's audio driver calls us back on its thread; we render the synth and
//    mix the effect into its buffers.
//  - Silent: Device was asked for but no driver opened; audio is rendered (without a
//    soundfont, so cheaply) on demand against the wall clock, so the player still advances
//    and the loop rule still works.
//  - Virtual: the same rendering against a clock that only AdvanceClock moves.
//  - Offline: Virtual with the soundfont loaded and the effects units on, so that what it
//    renders is what a player hears (measuring a track's loudness, writing it to a file).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <fluidsynth.h>

#include "audio/channel_presets.h"
#include "audio/loudness_meter.h"

namespace audio {

enum class EngineMode { Device, Silent, Virtual, Offline };

// What the player chose for the Device mode; empty strings mean "find it yourself".
struct DeviceChoice {
  std::string SoundFont;  // a soundfont file, or "" for the system's General MIDI one
  std::string Driver;     // one of OutputDrivers(), or "" for the first that works
};

// The system's General MIDI soundfonts in the order they are tried, existing files only.
std::vector<std::string> DefaultSoundFonts();
// The audio outputs this FluidSynth offers, in the order "automatic" tries them.
std::vector<std::string> OutputDrivers();

class Engine {
 public:
  // Device: tries the audio drivers in order and falls back to Silent; never fails.
  explicit Engine(EngineMode wanted, DeviceChoice choice = {});
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  EngineMode Mode() const { return mode_; }
  int SampleRate() const { return rate_; }
  const std::string& DriverName() const { return driver_; }
  const std::string& SoundFont() const { return soundfont_; }  // "" when none could load
  int PeriodSize() const { return periodSize_; }
  int Periods() const { return periods_; }

  // Music. Open replaces any open track (the old one falls silent) with the file's bytes;
  // Play starts it from its position, from the beginning if it had reached its end; Stop
  // silences it and forgets it.
  void OpenMusic(std::vector<uint8_t> midiBytes);
  void PlayMusic();
  void StopMusic();
  bool MusicOpen();
  bool MusicPlaying();
  // Position and length in MIDI ticks; the length is 0 until the player has parsed the file,
  // which happens only once audio runs. AtEnd is "position equals length" with that in mind.
  int MusicPositionTicks();
  int MusicLengthTicks();
  bool MusicAtEnd();
  // Milliseconds of audio rendered since the track last started from its beginning.
  int64_t MusicElapsedMs();
  int MusicStarts() const { return starts_; }  // starts from the beginning, loops included

  // Effects: mono samples at SampleRate(), cutting off whatever plays.
  void StartEffect(int number, std::vector<float> samples);
  // Blocks until the effect started last has been heard to its end (Device: the real end;
  // Silent: its length on the wall clock; Virtual: the virtual clock moves by lengthMs).
  void WaitEffectEnd(int lengthMs);
  int EffectPlaying();  // number of the effect still sounding, or -1
  int64_t EffectElapsedMs();

  // Loudness of the music and of the effects, 0 (silent) to 1 (full), at once.
  void SetMusicGain(float gain);
  void SetEffectGain(float gain);
  // The track's own level, a factor on the music alone that brings every track to the same
  // loudness. glide: move there gently (a few dB a second), as for a level learnt while the
  // track plays; else at once, as for a track about to start.
  void SetTrackLevel(float level, bool glide);
  float TrackLevel();  // where the glide stands now

  // How the track's current pass sounds: the integrated loudness of what has been heard
  // since it last started from its beginning, at level 1 and full volume, over at most
  // SetPassSeconds; complete once the pass has ended or that much has been heard. Heard
  // only where a soundfont sounds (Device, Offline); a change of volume or soundfont in the
  // middle spoils the pass (Valid false) until the track starts again.
  struct PassLoudness {
    double Lufs = -70.0, HeardSeconds = 0;
    bool Complete = false, Valid = false;
  };
  PassLoudness MusicPassLoudness();
  void SetPassSeconds(int seconds);

  // Replaces the soundfont while the music plays on from where it is ("" finds the
  // system's). False, with the reason, when the file cannot be loaded: the old one stays.
  bool ChangeSoundFont(const std::string& path, std::string& error);
  // Reopens the output on the named driver ("" tries them all); false when it cannot be
  // opened, after which the first working driver (or silence) carries on.
  bool ChangeDriver(const std::string& driver);

  // Renders frames of music and effect into the given buffers, as a driver would; for offline
  // use (tests, tools) in the Virtual mode.
  void RenderInto(int frames, float* left, float* right);

  // Brings the output to silence without a click (a ramp of a few milliseconds), so that the
  // program can end at once. FadeOut starts the ramp and returns; WaitFadedOut waits until it
  // has been played, but never longer than maxMs.
  void FadeOut();
  void WaitFadedOut(int maxMs);

  // Virtual clock.
  void Advance(int ms);
  int64_t ClockMs();

  // Device: delay from StartEffect to the first buffer that carried the effect, in ms, the
  // largest seen (0 when none played yet); add the output buffer for the audible latency.
  double MaxEffectStartDelayMs();
  double OutputBufferMs() const { return rate_ > 0 ? 1000.0 * periodSize_ * periods_ / rate_ : 0; }

 private:
  static int DriverCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
  void RenderLocked(int frames, float* left, float* right);
  void ApplyFadeLocked(int frames, float* left, float* right);
  void ApplyTrackLevelLocked(int frames, float* left, float* right);
  void StartPassLocked();
  void HearPassLocked(int frames, const float* left, const float* right);
  bool VirtualClock() const { return mode_ == EngineMode::Virtual || mode_ == EngineMode::Offline; }
  void RenderOffline(int64_t frames);
  void CatchUpWallClock();
  bool OpenDriver(const std::string& preferred);
  bool TryDriver(const std::string& name);
  void CloseDriver();
  bool LoadSoundFont(const std::string& path, std::string& error);
  void LoadChosenSoundFont(const std::string& path);
  void NewPlayerLocked(bool rewind);
  bool AtEndLocked();
  void DeletePlayerLocked();

  EngineMode mode_;
  int rate_ = 44100;
  int periodSize_ = 0, periods_ = 0;
  std::string driver_, soundfont_;
  bool deviceWanted_ = false;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  fluid_audio_driver_t* audioDriver_ = nullptr;
  int sfontId_ = -1;

  std::mutex mutex_;  // guards everything below against the driver's thread
  float effectGain_ = 1.0f;
  float trackLevel_ = 1.0f, trackLevelTarget_ = 1.0f;
  float musicGain_ = 1.0f;
  LoudnessMeter passMeter_{44100};
  int64_t passFrames_ = 0, passLimit_ = 0;
  float passGain_ = 1.0f;
  bool passValid_ = false, passComplete_ = false;
  float fade_ = 1.0f;  // output gain of the fade at exit: 1 until FadeOut, then down to 0
  bool fading_ = false;
  std::atomic<bool> faded_{false};  // the ramp has reached silence (read without the lock)
  std::vector<uint8_t> midi_;
  ChannelUses channelUses_{};  // of the track open, so that only its instruments are loaded
  int64_t musicFrames_ = 0;  // frames rendered since the track started from the beginning
  int starts_ = 0;
  std::vector<float> effect_;
  size_t effectPos_ = 0;
  int effectNumber_ = -1;
  uint64_t effectSerial_ = 0;
  std::chrono::steady_clock::time_point effectAsked_{};
  bool effectDelayPending_ = false;
  double maxEffectDelayMs_ = 0;

  int64_t clockFrames_ = 0;  // Virtual and Silent: frames rendered so far
  int64_t virtualMs_ = 0;    // Virtual: the clock as AdvanceClock set it
  std::chrono::steady_clock::time_point wallStart_{};
  std::vector<float> scratchL_, scratchR_;
};

}  // namespace audio
