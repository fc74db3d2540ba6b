// The game's two sound operations and the one-second loop check of the music.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Starts track n looped ("MC_<n>.mid" under AppDir); 99 and above mean silence.
void PlayMusic(uint8_t track);
// Plays effect n ("w_<n>.wav"); 0..3 at once, 4 holds the game until it has ended.
void PlayEffect(uint8_t number);
// Timer2's handler: restarts a track that has reached its end.
void Timer2Timer();

namespace audio {

enum class Backend {
  Device,   // FluidSynth through a real audio driver; falls back to Silent without a device
  Virtual,  // plays nothing audible, keeps a virtual clock (headless runner, tests)
};

// Loads the soundfont and opens the output. Safe to call once at start-up.
void Init(Backend backend);
void Shutdown();

// Every PlayMusic / PlayEffect argument in call order (the headless runner reports them).
const std::vector<int>& MusicCalls();
const std::vector<int>& EffectCalls();
void ClearCallLog();

// Virtual backend: advance the clock by ms milliseconds of rendered audio.
void AdvanceClock(int ms);

}  // namespace audio
