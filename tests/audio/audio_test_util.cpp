#include "audio_test_util.h"

#include <fluidsynth.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "base/little_endian.h"

namespace audiotest {

namespace {
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}
void VarLen(std::vector<uint8_t>& b, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n) b.push_back(buf[--n]);
}
}  // namespace

std::vector<uint8_t> MidiOfLength(int lengthMs) {
  // 120 bpm at 480 ticks: 960 ticks a second.
  uint32_t end = uint32_t(int64_t(lengthMs) * 960 / 1000);
  std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo 500000 us
                                0x00, 0xC0, 0x00, 0x00, 0x90, 60, 100};
  VarLen(track, 480);
  track.insert(track.end(), {0x80, 60, 0});
  VarLen(track, end > 480 ? end - 480 : 0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
  Put32(file, uint32_t(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

std::vector<uint8_t> Wave(int rate, int frames, int channels, int bits) {
  std::vector<uint8_t> b;
  uint32_t data = uint32_t(frames * channels * bits / 8);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  base::AppendLe32(b, 36 + data);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  base::AppendLe32(b, 16);
  base::AppendLe16(b, 1);
  base::AppendLe16(b, uint32_t(channels));
  base::AppendLe32(b, uint32_t(rate));
  base::AppendLe32(b, uint32_t(rate * channels * bits / 8));
  base::AppendLe16(b, uint32_t(channels * bits / 8));
  base::AppendLe16(b, uint32_t(bits));
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  base::AppendLe32(b, data);
  for (int i = 0; i < frames * channels; ++i) {
    int v = (i / channels) % 50 < 25 ? 8000 : -8000;
    if (bits == 16) base::AppendLe16(b, uint16_t(int16_t(v)));
    else b.push_back(uint8_t(128 + v / 256));
  }
  return b;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path TempFolder(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() /
             ("mirovaan-audio-" + name + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

int PlayerLengthMs(const std::string& path, int limitMs) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setint(settings, "synth.lock-memory", 0);
  fluid_settings_setint(settings, "synth.reverb.active", 0);
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_settings_setnum(settings, "synth.sample-rate", 44100);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, path.c_str());
  fluid_player_play(player);
  std::vector<float> left(441), right(441);
  int result = -1;
  for (int ms = 10; ms <= limitMs; ms += 10) {
    fluid_synth_write_float(synth, 441, left.data(), 0, 1, right.data(), 0, 1);
    int length = fluid_player_get_total_ticks(player);
    if (length > 0 && (fluid_player_get_current_tick(player) >= length ||
                       fluid_player_get_status(player) == FLUID_PLAYER_DONE)) {
      result = ms;
      break;
    }
  }
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return result;
}

}  // namespace audiotest
