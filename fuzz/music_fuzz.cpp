// libFuzzer target for the music path: our check of a track's structure, then, for what it
// passes, the synthesizer's player loading the bytes and playing a moment of them. A track
// that could hang or crash the player must be refused by the check; the player's rendering
// is bounded, so an endless loop in it shows as a timeout.
#include <fluidsynth.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/engine.h"
#include "audio/midi_check.h"

// Fontconfig and FluidSynth keep their default configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libfluidsynth.so\nleak:libglib-2.0.so\n";
}

namespace {

void Quiet(int, const char*, void*) {}

audio::Engine& Synth() {
  static audio::Engine* engine = [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
      fluid_set_log_function(level, Quiet, nullptr);
    return new audio::Engine(audio::EngineMode::Virtual);
  }();
  return *engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  audio::Engine& engine = Synth();
  if (audio::CheckMidi(data, size)) return 0;
  engine.OpenMusic(std::vector<uint8_t>(data, data + size));
  engine.PlayMusic();
  // The player reads the file on the first rendered block; a few blocks play its start.
  engine.Advance(12);
  if (engine.MusicPositionTicks() < 0) std::abort();
  engine.StopMusic();
  return 0;
}
