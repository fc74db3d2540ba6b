// Pending: replaced by the FluidSynth player in this folder.
#include "audio/sound.h"
#include "core/state.h"

namespace {
std::vector<int> music, effects;
}
void PlayMusic(uint8_t track) { music.push_back(track); G.MusicTrack = track; }
void PlayEffect(uint8_t number) { effects.push_back(number); }
void Timer2Timer() {}
namespace audio {
void Init(Backend) {}
void Shutdown() {}
const std::vector<int>& MusicCalls() { return music; }
const std::vector<int>& EffectCalls() { return effects; }
void ClearCallLog() { music.clear(); effects.clear(); }
void AdvanceClock(int) {}
}  // namespace audio
