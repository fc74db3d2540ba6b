// The score language of the game's music and its compiler to Standard MIDI Files.
// The notation is described at the top of mml.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mml {

struct Song {
  std::vector<uint8_t> Midi;  // the Standard MIDI File, format 1
  double Seconds = 0;         // playing time from the tempo map
  int Ticks = 0;              // length in ticks (480 to the quarter note)
  int Tracks = 0;             // tracks with notes (the conductor track not counted)
};

// Compiles a score; throws std::runtime_error naming the line for any mistake, and when the
// parts of the score differ in length (a loop that would drift).
Song Compile(const std::string& source, const std::string& name);

}  // namespace mml
