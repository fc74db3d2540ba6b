// contentgen --assets DIR --out DIR   writes every content file of the game
// contentgen --embed FORMDIR OUT.cpp  writes the window's sheets as C++ byte arrays
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "generators.h"

namespace fs = std::filesystem;

namespace {

const char* const kSheets[] = {"floor_tiles", "heroes", "faces", "status_icons", "shots", "splats", "markers", "item_icons", "coins"};

std::vector<unsigned char> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void Embed(const fs::path& formDir, const fs::path& outCpp) {
  std::ostringstream out;
  out << "// Written by contentgen from " << formDir.filename().string() << "/: do not edit.\n";
  out << "#include \"state/stored_sheets.h\"\n#include <cstring>\n\n";
  for (const char* name : kSheets) {
    fs::path sheet = formDir / (std::string(name) + ".bmp");
    std::vector<unsigned char> bytes;
    if (fs::exists(sheet)) bytes = ReadAll(sheet);
    else std::cerr << "contentgen: warning: no " << sheet.string() << " to embed\n";
    out << "static const uint8_t k" << name << "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (i % 24 == 0) out << "\n";
      out << static_cast<int>(bytes[i]) << ",";
    }
    if (bytes.empty()) out << "0";
    out << "};\n";
  }
  out << "\nconst StoredSheet kStoredSheets[] = {\n";
  for (const char* name : kSheets) {
    out << "  {\"" << name << "\", k" << name << ", sizeof(k" << name << ")},\n";
  }
  out << "};\nconst size_t kStoredSheetCount = " << std::size(kSheets) << ";\n\n";
  out << "const StoredSheet* FindStoredSheet(const char* name) {\n"
         "  for (size_t i = 0; i < kStoredSheetCount; ++i)\n"
         "    if (std::strcmp(kStoredSheets[i].Name, name) == 0) return &kStoredSheets[i];\n"
         "  return nullptr;\n}\n";
  fs::create_directories(outCpp.parent_path());
  std::string text = out.str();
  // Leave an unchanged file alone so that nothing recompiles needlessly.
  if (fs::exists(outCpp)) {
    auto old = ReadAll(outCpp);
    if (std::string(old.begin(), old.end()) == text) return;
  }
  std::ofstream file(outCpp, std::ios::binary);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + outCpp.string());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "--embed") {
      Embed(args[1], args[2]);
      return 0;
    }
    std::string assets = MIROVAAN_ASSETS_DIR, out;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
      if (args[i] == "--assets") assets = args[i + 1];
      else if (args[i] == "--out") out = args[i + 1];
      else throw std::runtime_error("unknown option " + args[i]);
    }
    if (out.empty()) {
      std::cerr << "usage: contentgen [--assets DIR] --out DIR | --embed FORMDIR OUT.cpp\n";
      return 2;
    }
    fs::create_directories(fs::path(out) / "sheets");
    GenerateArt(assets, out);
    GenerateFloors(assets, out);
    GenerateMusic(assets, out);
    GenerateEffects(assets, out);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "contentgen: " << e.what() << "\n";
    return 1;
  }
}
