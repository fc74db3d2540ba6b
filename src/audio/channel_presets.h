// Instruments chosen only where a track plays. A synthesizer reset gives every one of the
// sixteen channels General MIDI's default instrument (a piano, the drum kit), and with samples
// loaded on demand each instrument chosen is read into memory whole: a large soundfont's
// piano alone can hold close to a hundred megabytes. So a new track, or a new soundfont,
// gives instruments only to the channels the track plays.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <fluidsynth.h>

namespace audio {

struct ChannelUse {
  bool PlaysBeforeProgram = false;  // a note sounds before any program change: the default plays
  int FirstProgram = -1;            // the first program change, -1 for none
};
using ChannelUses = std::array<ChannelUse, 16>;

// Reads a standard MIDI file (one that passed CheckMidi; anything unreadable ends the scan
// of its track). Events are compared in ticks across the tracks of a format 1 file.
ChannelUses ScanChannels(const std::vector<uint8_t>& midi);

// Before a new track starts: what a MIDI system reset does to the channels (notes off,
// controllers and bank back to their defaults), with an instrument only on the channels that
// play before choosing one; the others get theirs from the track's own program changes.
void ResetChannelsFor(fluid_synth_t* synth, const ChannelUses& uses);

// A soundfont just loaded (newId, without resetting presets) takes over from oldId (-1 for
// none): every channel that held an instrument holds the same program from the new one, and
// oldId is unloaded. With no old soundfont the channels get the programs the track playing
// chooses first.
void MoveChannelsToSoundFont(fluid_synth_t* synth, int oldId, const ChannelUses& uses);

}  // namespace audio
