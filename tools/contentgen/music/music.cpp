// The game's ten tracks: scores under assets/music/, compiled to MC_<n>.mid.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "generators.h"
#include "music/mml.h"

namespace fs = std::filesystem;

namespace {

// Track numbers the game asks for: title, selection, map, the dungeons, boss, game over.
const int kTracks[] = {0, 1, 3, 4, 6, 9, 10, 11, 12, 14};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

void GenerateMusic(const std::string& assetsDir, const std::string& outDir) {
  for (int n : kTracks) {
    std::string name = "MC_" + std::to_string(n);
    fs::path score = fs::path(assetsDir) / "music" / (name + ".mml");
    mml::Song song = mml::Compile(ReadText(score), score.filename().string());
    fs::path out = fs::path(outDir) / (name + ".mid");
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(song.Midi.data()), std::streamsize(song.Midi.size()));
    if (!file) throw std::runtime_error("cannot write " + out.string());
  }
}
