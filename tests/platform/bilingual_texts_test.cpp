// Every text the layers below the Qt program show the player is written in both languages, as
// a {"Japanese", "English"} pair beside the code that shows it. This reads the sources as a
// translator would: each pair must have English, in printable ASCII, with the same places
// {0}, {1}... as its Japanese; and no Japanese text may stand alone outside a pair, short of
// the few names listed below that are not words for the player.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layers whose texts go through the pairs; src/desktop has Qt's translation files.
const char* const kLayers[] = {"platform", "gfx",    "headless", "state",   "content", "start",
                               "audio",    "screens", "modes",   "combat",  "world",   "persist",
                               "game",     "shell",  "replay"};

// Japanese that is no word for the player, or that another part of the program translates.
const std::set<std::string> kNotForTranslation = {
    "ＭＳ 明朝", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック",  // the font names asked for
    "msgbox: ﾐﾛｳﾞｧｰﾝ | ",  // the runner's line for an error box, part of its output
    "ミロヴァーン",  // the about dialog's and the window's first captions, set by the Qt program
    "オプション",    // the options dialog's caption, likewise
    // Without a Japanese font the warning must say it in both languages at once.
    "日本語のフォントが見つかりません。文字を表示するには fonts-ipafont-gothic と ",
    "fonts-ipafont-mincho を入れてください。\\n\\n",
};

// Files whose Japanese stands beside its English in another form: a refused replay carries
// both as the fields of its Refusal, for whoever shows it to choose.
const std::set<std::string> kBothAsFields = {"replay/start.cpp"};

struct Source {
  std::string path, text;
};

std::vector<Source> Sources() {
  std::vector<Source> sources;
  for (const char* layer : kLayers) {
    const fs::path dir = fs::path(MIROVAAN_SOURCE_DIR) / "src" / layer;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      // Comments are no text for the player.
      text = std::regex_replace(text, std::regex(R"(//[^\n]*)"), "");
      sources.push_back({std::string(layer) + "/" + entry.path().filename().string(), text});
    }
  }
  return sources;
}

// The contents of one or more adjacent string literals, joined.
std::string Literal(const std::string& literals) {
  std::string joined;
  static const std::regex kPart(R"lit("((?:[^"\\]|\\.)*)")lit");
  for (std::sregex_iterator it(literals.begin(), literals.end(), kPart), end; it != end; ++it)
    joined += (*it)[1].str();
  return joined;
}

bool HasJapanese(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0xE3) return true;  // kana, kanji and full-width forms start so in UTF-8
  return false;
}

bool PrintableAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

std::multiset<std::string> Places(const std::string& s) {
  std::multiset<std::string> places;
  static const std::regex kPlace(R"(\{[0-9]+\})");
  for (std::sregex_iterator it(s.begin(), s.end(), kPlace), end; it != end; ++it)
    places.insert(it->str());
  return places;
}

const std::regex& PairPattern() {
  static const std::regex kPair(
      R"lit(\{\s*((?:"(?:[^"\\]|\\.)*"\s*)+),\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\})lit");
  return kPair;
}

TEST(BilingualTexts, EveryPairHasEnglishWithTheSamePlaces) {
  int pairs = 0;
  for (const Source& source : Sources()) {
    const std::string& t = source.text;
    for (std::sregex_iterator it(t.begin(), t.end(), PairPattern()), end; it != end; ++it) {
      const std::string japanese = Literal((*it)[1].str()), english = Literal((*it)[2].str());
      if (!HasJapanese(japanese)) continue;
      ++pairs;
      SCOPED_TRACE(source.path + ": \"" + japanese + "\" / \"" + english + "\"");
      EXPECT_FALSE(english.empty());
      EXPECT_TRUE(PrintableAscii(english)) << "English that is not plain ASCII";
      EXPECT_EQ(Places(japanese), Places(english)) << "the values filled in differ";
    }
  }
  // The scan must find the tables at all: the menu's questions, files, pictures, music,
  // saved games and the screens' phrases hold well over a hundred pairs.
  EXPECT_GT(pairs, 100);
}

TEST(BilingualTexts, NoJapaneseStandsOutsideAPair) {
  static const std::regex kLiteral(R"lit("((?:[^"\\]|\\.)*)")lit");
  for (const Source& source : Sources()) {
    // The game's own catalogue is checked text by text against its places (test_screens).
    if (source.path.rfind("content/", 0) == 0 || kBothAsFields.count(source.path)) continue;
    std::string rest = std::regex_replace(source.text, PairPattern(), "{}");
    for (std::sregex_iterator it(rest.begin(), rest.end(), kLiteral), end; it != end; ++it) {
      const std::string text = (*it)[1].str();
      if (!HasJapanese(text) || kNotForTranslation.count(text)) continue;
      ADD_FAILURE() << source.path << ": \"" << text << "\" has no English beside it";
    }
  }
}

}  // namespace
