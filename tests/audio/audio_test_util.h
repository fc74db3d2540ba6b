// Small files for the sound tests: a MIDI file of a chosen length, a wave of a chosen length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audiotest {

// Format 1, 480 ticks to the quarter, 120 quarters a minute: one note, then silence up to
// the end of the track at lengthMs.
std::vector<uint8_t> MidiOfLength(int lengthMs);

// Mono 16-bit PCM wave of the given rate, frames and bits.
std::vector<uint8_t> Wave(int rate, int frames, int channels = 1, int bits = 16);

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A fresh folder under the system's temporary folder.
std::filesystem::path TempFolder(const std::string& name);

// The playing time of a MIDI file as FluidSynth's player sees it, rendered offline in
// 10 ms steps until its position reaches its length (or limitMs passes): -1 when the player
// never parsed a length.
int PlayerLengthMs(const std::string& path, int limitMs);

}  // namespace audiotest
