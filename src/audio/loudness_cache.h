// The measured loudness of the game's tracks, kept between runs so that each track is
// measured once per soundfont. One text file under $XDG_CACHE_HOME/mirovaan; an entry holds
// for one soundfont file as it was (its path, size and modification time) and one track's
// exact bytes, so a soundfont replaced or updated, or a changed track, is measured again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace audio {

// Which soundfont: the same file with the same size and time holds the same sounds.
struct SoundFontIdentity {
  std::string Path;  // the file itself, links followed
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
  auto operator<=>(const SoundFontIdentity&) const = default;
};
// Nullopt when the file cannot be found.
std::optional<SoundFontIdentity> IdentifySoundFont(const std::string& path);

// FNV-1a 64 of a track's bytes: the track's identity.
uint64_t TrackHash(const std::vector<uint8_t>& bytes);

struct LoudnessKey {
  SoundFontIdentity SoundFont;
  uint64_t Track = 0;
  int Seconds = 0;  // how much of the track was measured
  auto operator<=>(const LoudnessKey&) const = default;
};

class LoudnessCache {
 public:
  // file "": nothing is read or kept on disk.
  explicit LoudnessCache(std::string file);

  // $XDG_CACHE_HOME/mirovaan/loudness (~/.cache when unset), or "" without a home.
  static std::string DefaultFile();

  // Reads the file. A missing file is an empty cache; a damaged or foreign one is ignored
  // (and replaced at the next Store). False when there was a file and it was not used.
  bool Load();
  std::optional<double> Find(const LoudnessKey& key) const;
  // Every loudness known for the soundfont measured over `seconds`.
  std::vector<double> KnownFor(const SoundFontIdentity& soundFont, int seconds) const;
  // Adds the entry and writes the file anew (entries another run added meanwhile are kept).
  // False when the file cannot be written; the entry is still known to this run.
  bool Store(const LoudnessKey& key, double lufs);

 private:
  std::string file_;
  std::map<LoudnessKey, double> entries_;
};

}  // namespace audio
