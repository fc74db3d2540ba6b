#include "audio/loudness_cache.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"

namespace audio {

namespace {

constexpr char kHeader[] = "mirovaan-loudness 1";
// The game has a dozen tracks; a file far larger than their entries for many soundfonts
// is not one of ours.
constexpr size_t kMaxFileBytes = size_t{1} << 20;
constexpr size_t kMaxEntries = 2000;

// One entry a line: loudness, seconds measured, track hash, soundfont size, time, path.
bool ParseLine(const std::string& line, LoudnessKey& key, double& lufs) {
  std::istringstream in(line);
  std::string hash;
  if (!(in >> lufs >> key.Seconds >> hash >> key.SoundFont.Size >> key.SoundFont.ModifiedNs))
    return false;
  if (!std::isfinite(lufs) || lufs < -200 || lufs > 30 || key.Seconds <= 0 || hash.size() != 16 ||
      hash.find_first_not_of("0123456789abcdef") != std::string::npos || key.SoundFont.Size < 0)
    return false;
  key.Track = std::strtoull(hash.c_str(), nullptr, 16);
  if (in.get() != ' ') return false;
  std::getline(in, key.SoundFont.Path);
  return !key.SoundFont.Path.empty() && key.SoundFont.Path[0] == '/';
}

bool ReadEntries(const std::string& file, std::map<LoudnessKey, double>& entries) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadRegularFile(file, kMaxFileBytes, platform::Excess::Refuse, bytes)) return false;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  std::map<LoudnessKey, double> read;
  while (std::getline(in, line)) {
    LoudnessKey key;
    double lufs = 0;
    if (!ParseLine(line, key, lufs)) return false;
    read[key] = lufs;
  }
  // The file must end with its last line whole: a write cut short is damage.
  if (bytes.empty() || bytes.back() != '\n') return false;
  entries = std::move(read);
  return true;
}

// The new file is complete before it takes the old one's name, so a reader never sees half.
bool WriteEntries(const std::string& file, const std::map<LoudnessKey, double>& entries) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
  std::string temp = file + ".new-" + std::to_string(getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << kHeader << "\n";
    char line[128];
    for (const auto& [key, lufs] : entries) {
      std::snprintf(line, sizeof line, "%.3f %d %016llx %lld %lld ", lufs, key.Seconds,
                    static_cast<unsigned long long>(key.Track), static_cast<long long>(key.SoundFont.Size),
                    static_cast<long long>(key.SoundFont.ModifiedNs));
      out << line << key.SoundFont.Path << "\n";
    }
    out.flush();
    if (!out) {
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  if (std::rename(temp.c_str(), file.c_str()) != 0) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace

std::optional<SoundFontIdentity> IdentifySoundFont(const std::string& path) {
  std::error_code ec;
  std::filesystem::path real = std::filesystem::canonical(path, ec);
  struct stat st;
  if (ec || ::stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::string text = real.string();
  if (text.find('\n') != std::string::npos) return std::nullopt;  // could not be kept on a line
  return SoundFontIdentity{text, int64_t(st.st_size),
                           int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

uint64_t TrackHash(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

LoudnessCache::LoudnessCache(std::string file) : file_(std::move(file)) {}

std::string LoudnessCache::DefaultFile() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::string base;
  if (cache && cache[0] == '/') {
    base = cache;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') return "";
    base = std::string(home) + "/.cache";
  }
  return base + "/mirovaan/loudness";
}

bool LoudnessCache::Load() {
  entries_.clear();
  if (file_.empty()) return true;
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) return true;
  return ReadEntries(file_, entries_);
}

std::optional<double> LoudnessCache::Find(const LoudnessKey& key) const {
  auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

std::vector<double> LoudnessCache::KnownFor(const SoundFontIdentity& soundFont, int seconds) const {
  std::vector<double> known;
  for (const auto& [key, lufs] : entries_)
    if (key.SoundFont == soundFont && key.Seconds == seconds) known.push_back(lufs);
  return known;
}

bool LoudnessCache::Store(const LoudnessKey& key, double lufs) {
  entries_[key] = lufs;
  if (file_.empty()) return true;
  // Another run of the game may have measured other tracks since this one read the file.
  std::map<LoudnessKey, double> onDisk;
  if (ReadEntries(file_, onDisk)) {
    for (const auto& entry : onDisk) entries_.insert(entry);
  }
  // A file that only ever grows would in the end be refused as too large; drop the oldest
  // soundfonts' entries first (the least recently changed files).
  while (entries_.size() > kMaxEntries) {
    auto oldest = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it->first.SoundFont.ModifiedNs < oldest->first.SoundFont.ModifiedNs) oldest = it;
    entries_.erase(oldest);
  }
  return WriteEntries(file_, entries_);
}

}  // namespace audio
