// Our own check of a standard MIDI file's structure, made before the synthesizer's player
// sees the bytes: that player trusts the lengths it reads, and a chunk whose length points
// outside the file can keep it looping for good. Only files that pass are played.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace audio {

// The largest track file read; the game's own are a few kilobytes.
constexpr size_t kMaxMidiBytes = size_t{2} << 20;

// What is wrong with the file, in Japanese, or nullopt when it can be played: a header
// chunk of six bytes (format 0..2, at least one track, ticks per quarter note), then chunks
// that each lie wholly within the file, at least as many track chunks as the header
// announces, and in each track events that stay inside it.
std::optional<std::string> CheckMidi(const uint8_t* data, size_t size);

}  // namespace audio
