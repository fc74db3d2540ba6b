#include "audio/channel_presets.h"

#include <cstddef>
#include <limits>

namespace audio {

namespace {

constexpr int kDrumChannel = 9;
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();

struct Reader {
  const std::vector<uint8_t>& b;
  size_t at, end;
  bool ok = true;
  uint8_t Byte() {
    if (at >= end) {
      ok = false;
      return 0;
    }
    return b[at++];
  }
  uint32_t VarLen() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t c = Byte();
      v = (v << 7) | (c & 0x7F);
      if (!(c & 0x80)) return v;
    }
    ok = false;
    return 0;
  }
  void Skip(uint32_t n) {
    if (n > end - at) ok = false;
    else at += n;
  }
};

// Notes the tick of each channel's first note and first program change in one track.
void ScanTrack(Reader r, std::array<int64_t, 16>& firstNote, std::array<int64_t, 16>& firstProgram,
               ChannelUses& uses) {
  int64_t tick = 0;
  uint8_t status = 0;
  while (r.ok && r.at < r.end) {
    tick += r.VarLen();
    uint8_t first = r.Byte();
    if (first == 0xFF) {
      r.Byte();
      r.Skip(r.VarLen());
      continue;
    }
    if (first == 0xF0 || first == 0xF7) {
      r.Skip(r.VarLen());
      continue;
    }
    uint8_t data1;
    if (first & 0x80) {
      status = first;
      data1 = r.Byte();
    } else {
      if (!status) return;  // running status with none set
      data1 = first;
    }
    const int kind = status & 0xF0, channel = status & 0x0F;
    uint8_t data2 = (kind == 0xC0 || kind == 0xD0) ? 0 : r.Byte();
    if (!r.ok) return;
    if (kind == 0x90 && data2 > 0 && tick < firstNote[channel]) firstNote[channel] = tick;
    if (kind == 0xC0 && tick < firstProgram[channel]) {
      firstProgram[channel] = tick;
      uses[channel].FirstProgram = data1;
    }
  }
}

}  // namespace

ChannelUses ScanChannels(const std::vector<uint8_t>& midi) {
  ChannelUses uses{};
  std::array<int64_t, 16> firstNote, firstProgram;
  firstNote.fill(kNever);
  firstProgram.fill(kNever);
  size_t at = 14;  // after the header chunk
  while (at + 8 <= midi.size()) {
    uint32_t length = uint32_t(midi[at + 4]) << 24 | uint32_t(midi[at + 5]) << 16 |
                      uint32_t(midi[at + 6]) << 8 | midi[at + 7];
    size_t body = at + 8;
    if (length > midi.size() - body) break;
    if (midi[at] == 'M' && midi[at + 1] == 'T' && midi[at + 2] == 'r' && midi[at + 3] == 'k')
      ScanTrack(Reader{midi, body, body + length}, firstNote, firstProgram, uses);
    at = body + length;
  }
  for (int c = 0; c < 16; ++c) uses[c].PlaysBeforeProgram = firstNote[c] < kNever && firstNote[c] < firstProgram[c];
  return uses;
}

void ResetChannelsFor(fluid_synth_t* synth, const ChannelUses& uses) {
  for (int c = 0; c < 16; ++c) {
    fluid_synth_unset_program(synth, c);
    fluid_synth_cc(synth, c, 121, 0);  // reset all controllers: pitch, modulation, pedal...
    fluid_synth_cc(synth, c, 7, 100);  // ...and what that message leaves alone
    fluid_synth_cc(synth, c, 10, 64);
    fluid_synth_cc(synth, c, 91, 0);
    fluid_synth_cc(synth, c, 93, 0);
    if (c != kDrumChannel) fluid_synth_bank_select(synth, c, 0);
    if (uses[c].PlaysBeforeProgram) fluid_synth_program_change(synth, c, 0);
  }
}

void MoveChannelsToSoundFont(fluid_synth_t* synth, int oldId, const ChannelUses& uses) {
  struct Held {
    bool held = false;
    int bank = 0, program = 0;
  };
  std::array<Held, 16> held{};
  for (int c = 0; c < 16; ++c) {
    int sfont = 0, bank = 0, program = 0;
    if (oldId >= 0) {
      // An unset channel reads soundfont 0; real soundfonts count from 1.
      if (fluid_synth_get_program(synth, c, &sfont, &bank, &program) == FLUID_OK && sfont == oldId)
        held[c] = {true, bank, program};
    } else if (uses[c].FirstProgram >= 0 || uses[c].PlaysBeforeProgram) {
      held[c] = {true, c == kDrumChannel ? 128 : 0, uses[c].FirstProgram >= 0 ? uses[c].FirstProgram : 0};
    }
    // Letting go of the old instrument first, so that nothing reaches for it again.
    if (held[c].held) fluid_synth_unset_program(synth, c);
  }
  if (oldId >= 0) fluid_synth_sfunload(synth, oldId, 0);
  for (int c = 0; c < 16; ++c) {
    if (!held[c].held) continue;
    if (c != kDrumChannel) fluid_synth_bank_select(synth, c, held[c].bank);
    fluid_synth_program_change(synth, c, held[c].program);
  }
}

}  // namespace audio
