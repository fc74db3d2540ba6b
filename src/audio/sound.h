// The game's two sound operations and the one-second loop check of the music.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The tracks the game starts by name; the dungeons' own tracks are numbers in their tables.
enum Track : uint8_t {
  kTrackSelection = 0,   // choosing a hero
  kTrackGameOver = 4,
  kTrackBossFloor = 9,   // greets a floor that holds a dungeon's boss
  kTrackTitle = 10,
  kTrackWorldMap = 11,
  kTrackSilence = 99,    // this and above: no music
};

// The effects, w_0.wav .. w_4.wav.
enum Effect : uint8_t {
  kEffectMonsterFalls = 0,
  kEffectCoin = 1,
  kEffectItem = 2,       // an item picked up
  kEffectCursor = 3,     // a cursor step, a choice, a weapon taken in hand
  kEffectBossFalls = 4,  // the game waits for it to end
};

// Starts track n looped ("MC_<n>.mid" under AppDir); 99 and above mean silence.
void PlayMusic(uint8_t track);
// Plays effect n ("w_<n>.wav"); 0..3 at once, 4 holds the game until it has ended.
void PlayEffect(uint8_t number);
// MusicTimer's handler: restarts a track that has reached its end.
void OnMusicTimer();

namespace audio {

enum class Backend {
  Device,   // FluidSynth through a real audio driver; falls back to Silent without a device
  Virtual,  // plays nothing audible, keeps a virtual clock (headless runner, tests)
  Offline,  // renders with the soundfont against the virtual clock, as a device would hear it
};

// The player's sound set-up, kept by the program between runs.
struct Setup {
  int MusicVolume = 100;  // percent
  int EffectVolume = 100;
  std::string SoundFont;  // "" the system's General MIDI soundfont
  std::string Output;     // "" the first audio output that works ("自動")
};

// Loads the soundfont and opens the output. Safe to call once at start-up.
void Init(Backend backend, const Setup& setup = {});
// Ends the sound without a click; quick, so that the program can end at once. BeginShutdown
// starts the fade so that the program's other last work overlaps it.
void BeginShutdown();
// programEnding: the process ends right after, so a sound device's stream is left for the
// system to close rather than waited for.
void Shutdown(bool programEnding = false);

// The preferences' controls, each taking effect at once.
void SetMusicVolume(int percent);   // 0..100, clamped
void SetEffectVolume(int percent);  // 0..100, clamped
// "" the system's; false with the reason when the file cannot be loaded (the old one stays).
bool SetSoundFont(const std::string& path, std::string& error);
// "" automatic; false when the named output cannot be opened (another one, or none, is used).
bool SetOutput(const std::string& driver);
const Setup& CurrentSetup();
// The effect the preferences play to try the output and the effect volume.
void PlayTestSound();

// The system's soundfonts found, best first, and the audio outputs that can be chosen.
std::vector<std::string> SoundFontsFound();
std::vector<std::string> OutputChoices();

// Every PlayMusic / PlayEffect argument in call order (the headless runner reports them).
const std::vector<int>& MusicCalls();
const std::vector<int>& EffectCalls();
void ClearCallLog();

// Virtual backend: advance the clock by ms milliseconds of rendered audio.
void AdvanceClock(int ms);
// Virtual backend: the clock in milliseconds (it also moves while effect 4 holds the game,
// so a runner that fires MusicTimer every 1000 virtual ms should schedule by this value).
int64_t ClockMs();

// What is sounding, for tests and the runner's report.
struct Status {
  bool MusicOpen = false;     // a track is loaded
  bool MusicPlaying = false;  // and its player runs
  int MusicStarts = 0;        // starts from the beginning, loops included, since Init
  int64_t MusicElapsedMs = 0; // audio rendered since the track last started from the beginning
  int MusicPositionTicks = 0, MusicLengthTicks = 0;
  int Effect = -1;            // number of the effect still sounding, or -1
  int64_t EffectElapsedMs = 0;
  float TrackLevel = 1.0f;    // the factor on the music that brings the track to the target
};
Status CurrentStatus();

// The output in use: "pulseaudio" ... or "" (silent/virtual), its buffer, the soundfont, and
// the largest delay seen from PlayEffect to the first output buffer carrying it.
struct OutputInfo {
  std::string Driver, SoundFont;
  bool SoundFontMissing = false;  // a real output was wanted and no soundfont could be loaded
  int SampleRate = 0, PeriodSize = 0, Periods = 0;
  double BufferMs = 0, MaxEffectStartDelayMs = 0;
};
OutputInfo Output();

}  // namespace audio
