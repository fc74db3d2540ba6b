// Score language of the game's music ("MML", after the music macro languages of old home
// computers), compiled to a Standard MIDI File of format 1 with 480 ticks to the quarter.
//
// A score file is read line by line. Outside a part these lines are understood:
//   # text                 a comment (';' starts a comment anywhere, up to the line's end)
//   title TEXT             the song's name, written into the conductor track
//   tempo BPM              starting tempo in quarter notes per minute
//   time N/D               time signature (written for sequencers; the notes do not care)
//   level PERCENT          scales every part's vol= (10..200, default 100): one knob that
//                          sets the whole song's loudness beside the others; a part whose
//                          volume would pass 127 is refused
//   macro NAME TEXT...     defines $NAME: replaced by its text wherever it appears
//                          (macros may use other macros; the text runs to the line's end)
//   part NAME key=value... starts a part; every line after it up to the next 'part' (or a
//                          'macro' line) is the part's music. Keys: ch=1..16 (10 is the GM
//                          percussion channel), prog=0..127 (GM program, 0-based), vol=0..127,
//                          pan=0..127 (64 centre), rev=0..127 (reverb send), cho=0..127 (chorus)
//
// Music (letters may be upper or lower case, spaces and line breaks are ignored):
//   c d e f g a b   a note; + or # after it raises, - lowers it by a semitone; then an
//                   optional length and dots: c4 = quarter, e8. = dotted eighth, g2.. etc.
//                   Lengths: 1 2 4 8 16 32 64 and the triplet lengths 3 6 12 24 48.
//                   ^len adds a length to the note just given (c2^8 lasts 2 + 8).
//   r               a rest, with a length like a note
//   n KEY , len     a note by MIDI key number (used for drums: n36,8 is a kick drum eighth)
//   ( notes ) len   a chord: the notes inside sound together for the length after ')';
//                   'n KEY' may stand in a chord too: (n36 n49)4 is kick and cymbal;
//                   octave changes inside a chord hold only until ')'
//   o N  >  <       octave: o4 c is middle C (key 60); > one octave up, < one down
//   l N             default length for notes and rests written without one
//   v N             velocity 1..127 of the following notes
//   q N             gate: a note sounds for N eighths of its length (8 = tied to the next)
//   k N             transpose the following notes by N semitones (k-2, k0)
//   t N             tempo change at this point (in any part; it applies to the whole song)
//   x N             expression (controller 11) at this point, for swells and fades
//   @ N             program change at this point;  p N  pan at this point
//   [ ... ] N       repeat N times (N defaults to 2); repeats nest. A '/' inside a repeat
//                   ends the last pass there: [a b / c]3 plays a b c a b c a b.
//   |               a bar line: ignored, for the reader
//   $NAME           a macro (see above)
//
// Every part must come out exactly as long as the others: the song loops back to its start,
// and a part that drifted would be heard at once. The compiler refuses such a score.
#include "music/mml.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

namespace mml {

namespace {

constexpr int kQuarter = 480;
constexpr int kWhole = 4 * kQuarter;

struct Event {
  int Tick;
  int Order;  // at equal ticks: 0 controllers/programs, 1 note off, 2 note on
  std::vector<uint8_t> Bytes;
};

struct Part {
  std::string Name;
  int Line = 0;
  int Channel = 0, Program = 0, Volume = 100, Pan = 64, Reverb = 40, Chorus = 0;
  std::string Text;  // the music, lines joined
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

std::string ExpandMacros(const std::string& text, const std::map<std::string, std::string>& macros,
                         const std::string& where, int depth = 0) {
  if (depth > 16) Fail(where, "macros nest too deeply (a macro that uses itself?)");
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '$') {
      out += text[i++];
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_')) ++j;
    std::string name = text.substr(i + 1, j - i - 1);
    auto found = macros.find(name);
    if (name.empty() || found == macros.end()) Fail(where, "unknown macro $" + name);
    out += ExpandMacros(found->second, macros, where, depth + 1);
    out += ' ';
    i = j;
  }
  return out;
}

// Writes out the repeats: [body]n and [first|rest]n become plain text.
std::string ExpandRepeats(const std::string& text, size_t& at, const std::string& where, bool inner) {
  std::string before, after;
  bool split = false;
  while (at < text.size()) {
    char c = text[at];
    if (c == '[') {
      ++at;
      (split ? after : before) += ExpandRepeats(text, at, where, true);
    } else if (c == ']') {
      if (!inner) Fail(where, "']' without '['");
      ++at;
      int count = 0;
      bool any = false;
      while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        count = count * 10 + (text[at++] - '0');
        any = true;
        if (count > 999) Fail(where, "repeat count too large");
      }
      if (!any) count = 2;
      if (count < 1) Fail(where, "repeat count must be at least 1");
      std::string out;
      for (int k = 0; k < count; ++k) {
        out += before + ' ';
        if (k + 1 < count) out += after + ' ';
      }
      return out;
    } else if (c == '/') {
      if (!inner) Fail(where, "'/' outside a repeat");
      if (split) Fail(where, "two '/' in one repeat");
      split = true;
      ++at;
    } else {
      (split ? after : before) += c;
      ++at;
    }
  }
  if (inner) Fail(where, "'[' without ']'");
  return before;
}

class PartCompiler {
 public:
  PartCompiler(const Part& part, std::vector<std::pair<int, int>>& tempos)
      : part_(part), tempos_(tempos), where_("part " + part.Name + " (line " + std::to_string(part.Line) + ")") {}

  std::vector<Event> Run(const std::string& text) {
    text_ = text;
    pos_ = 0;
    while (true) {
      SkipSpace();
      if (pos_ >= text_.size()) break;
      Step();
    }
    return std::move(events_);
  }
  int Length() const { return tick_; }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool PeekDigit() {
    SkipSpace();
    return pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '-');
  }
  int Number(int lo, int hi, const char* what) {
    SkipSpace();
    bool neg = false;
    if (pos_ < text_.size() && text_[pos_] == '-') {
      neg = true;
      ++pos_;
    }
    if (pos_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[pos_])))
      Fail(where_, std::string("a number is missing after ") + what);
    int v = 0;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      v = v * 10 + (text_[pos_++] - '0');
      if (v > 100000) break;
    }
    if (neg) v = -v;
    if (v < lo || v > hi) Fail(where_, std::string(what) + " " + std::to_string(v) + " is out of range");
    return v;
  }
  // A length (optional number and dots); the default length when no number is given.
  int Duration() {
    int ticks = defaultLength_;
    SkipSpace();
    if (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      int n = Number(1, 64, "length");
      if (kWhole % n != 0) Fail(where_, "length " + std::to_string(n) + " does not divide a whole note");
      ticks = kWhole / n;
    }
    int add = ticks;
    while (pos_ < text_.size() && text_[pos_] == '.') {
      add /= 2;
      ticks += add;
      ++pos_;
    }
    while (true) {
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != '^') break;
      ++pos_;
      int extra = defaultLength_;
      if (PeekDigit()) {
        int n = Number(1, 64, "length");
        if (kWhole % n != 0) Fail(where_, "length " + std::to_string(n) + " does not divide a whole note");
        extra = kWhole / n;
      }
      int half = extra;
      while (pos_ < text_.size() && text_[pos_] == '.') {
        half /= 2;
        extra += half;
        ++pos_;
      }
      ticks += extra;
    }
    return ticks;
  }
  int Pitch(char letter, int octave) {
    static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    int key = (octave + 1) * 12 + kSteps[letter - 'a'] + transpose_;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '+' || c == '#') key += 1;
      else if (c == '-') key -= 1;
      else break;
      ++pos_;
    }
    if (key < 0 || key > 127) Fail(where_, "a note lies outside the MIDI range");
    return key;
  }
  void Controller(int cc, int value) {
    events_.push_back({tick_, 0, {uint8_t(0xB0 | part_.Channel), uint8_t(cc), uint8_t(value)}});
  }
  void Notes(const std::vector<int>& keys, int ticks) {
    int sounding = gate_ >= 8 ? ticks : std::max(1, ticks * gate_ / 8);
    for (int key : keys) {
      events_.push_back({tick_, 2, {uint8_t(0x90 | part_.Channel), uint8_t(key), uint8_t(velocity_)}});
      events_.push_back({tick_ + sounding, 1, {uint8_t(0x80 | part_.Channel), uint8_t(key), 0}});
    }
    tick_ += ticks;
  }
  // One command of the music, its letter just read.
  void Step() {
    char c = char(std::tolower(static_cast<unsigned char>(text_[pos_++])));
    if (!SoundStep(c) && !SettingStep(c) && !EventStep(c))
      Fail(where_, std::string("unexpected '") + c + "'");
    if (octave_ < -1 || octave_ > 9) Fail(where_, "octave out of range");
  }
  // What takes time: a note, a rest, a note by key number, a chord. False for other letters.
  bool SoundStep(char c) {
    if (c >= 'a' && c <= 'g') {
      int key = Pitch(c, octave_);
      Notes({key}, Duration());
    } else if (c == 'r') {
      tick_ += Duration();
    } else if (c == 'n') {
      int key = Number(0, 127, "key");
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
      Notes({key}, Duration());
    } else if (c == '(') {
      std::vector<int> keys = ChordKeys();
      if (keys.empty()) Fail(where_, "an empty chord");
      Notes(keys, Duration());
    } else {
      return false;
    }
    return true;
  }
  // The keys of a chord up to its ')'; its octave changes end with it.
  std::vector<int> ChordKeys() {
    std::vector<int> keys;
    int octave = octave_;
    while (true) {
      SkipSpace();
      if (pos_ >= text_.size()) Fail(where_, "'(' without ')'");
      char d = char(std::tolower(static_cast<unsigned char>(text_[pos_++])));
      if (d == ')') return keys;
      if (d == '>') ++octave;
      else if (d == '<') --octave;
      else if (d >= 'a' && d <= 'g') keys.push_back(Pitch(d, octave));
      else if (d == 'n') keys.push_back(Number(0, 127, "key"));
      else Fail(where_, std::string("'") + d + "' inside a chord");
    }
  }
  // What holds for the notes after it: octave, default length, velocity, gate, transpose.
  bool SettingStep(char c) {
    switch (c) {
      case 'o': octave_ = Number(0, 9, "octave"); return true;
      case '>': ++octave_; return true;
      case '<': --octave_; return true;
      case 'l': DefaultLength(); return true;
      case 'v': velocity_ = Number(1, 127, "velocity"); return true;
      case 'q': gate_ = Number(1, 8, "gate"); return true;
      case 'k': transpose_ = Number(-48, 48, "transpose"); return true;
      case '|': return true;  // a bar line, for the reader only
      default: return false;
    }
  }
  void DefaultLength() {
    int n = Number(1, 64, "length");
    if (kWhole % n != 0) Fail(where_, "length does not divide a whole note");
    defaultLength_ = kWhole / n;
    int add = defaultLength_;
    while (pos_ < text_.size() && text_[pos_] == '.') {
      add /= 2;
      defaultLength_ += add;
      ++pos_;
    }
  }
  // What happens at this point of the song: tempo, expression, pan, program.
  bool EventStep(char c) {
    switch (c) {
      case 't': tempos_.push_back({tick_, Number(20, 400, "tempo")}); return true;
      case 'x': Controller(11, Number(0, 127, "expression")); return true;
      case 'p': Controller(10, Number(0, 127, "pan")); return true;
      case '@':
        events_.push_back(
            {tick_, 0, {uint8_t(0xC0 | part_.Channel), uint8_t(Number(0, 127, "program"))}});
        return true;
      default: return false;
    }
  }

  const Part& part_;
  std::vector<std::pair<int, int>>& tempos_;
  std::string where_;
  std::string text_;
  size_t pos_ = 0;
  int tick_ = 0, octave_ = 4, defaultLength_ = kQuarter, velocity_ = 96, gate_ = 7, transpose_ = 0;
  std::vector<Event> events_;
};

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n) out.push_back(buf[--n]);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

std::vector<uint8_t> TrackChunk(std::vector<Event> events, int endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
  });
  std::vector<uint8_t> body;
  int last = 0;
  for (const Event& e : events) {
    PutVarLen(body, uint32_t(e.Tick - last));
    body.insert(body.end(), e.Bytes.begin(), e.Bytes.end());
    last = e.Tick;
  }
  PutVarLen(body, uint32_t(std::max(0, endTick - last)));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
  Put32(chunk, uint32_t(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

Event Meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
  Event e{tick, 0, {0xFF, type}};
  PutVarLen(e.Bytes, uint32_t(data.size()));
  e.Bytes.insert(e.Bytes.end(), data.begin(), data.end());
  return e;
}

Event TempoEvent(int tick, int bpm) {
  uint32_t us = uint32_t(60000000 / bpm);
  return Meta(tick, 0x51, {uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
}

int KeyValue(const std::string& token, const std::string& key, int lo, int hi, const std::string& where) {
  std::string text = token.substr(key.size() + 1);
  try {
    size_t used = 0;
    int v = std::stoi(text, &used);
    if (used != text.size() || v < lo || v > hi) throw std::out_of_range("");
    return v;
  } catch (const std::exception&) {
    Fail(where, "bad value in '" + token + "'");
  }
}

// What the source says before compiling: the song's settings and its parts' texts.
struct Source {
  std::string title;
  int tempo = 120, timeNum = 4, timeDen = 4;
  int level = 100;  // percent of every part's volume
  std::vector<Part> parts;
};

Part ParsePartLine(std::istringstream& words, int lineNo, const std::string& where) {
  Part p;
  p.Line = lineNo;
  if (!(words >> p.Name)) Fail(where, "a part needs a name");
  std::string token;
  bool channelGiven = false;
  while (words >> token) {
    if (token.rfind("ch=", 0) == 0) {
      p.Channel = KeyValue(token, "ch", 1, 16, where) - 1;
      channelGiven = true;
    } else if (token.rfind("prog=", 0) == 0) p.Program = KeyValue(token, "prog", 0, 127, where);
    else if (token.rfind("vol=", 0) == 0) p.Volume = KeyValue(token, "vol", 0, 127, where);
    else if (token.rfind("pan=", 0) == 0) p.Pan = KeyValue(token, "pan", 0, 127, where);
    else if (token.rfind("rev=", 0) == 0) p.Reverb = KeyValue(token, "rev", 0, 127, where);
    else if (token.rfind("cho=", 0) == 0) p.Chorus = KeyValue(token, "cho", 0, 127, where);
    else Fail(where, "unknown setting '" + token + "'");
  }
  if (!channelGiven) Fail(where, "part " + p.Name + " needs ch=");
  return p;
}

// A song-wide setting (title, tempo, time); false when the word names none.
bool ParseSetting(const std::string& word, std::istringstream& words, Source& src,
                  const std::string& where) {
  if (word == "title") {
    std::getline(words, src.title);
    src.title = Trim(src.title);
  } else if (word == "tempo") {
    if (!(words >> src.tempo) || src.tempo < 20 || src.tempo > 400) Fail(where, "bad tempo");
  } else if (word == "level") {
    if (!(words >> src.level) || src.level < 10 || src.level > 200) Fail(where, "bad level");
  } else if (word == "time") {
    std::string sig;
    words >> sig;
    if (std::sscanf(sig.c_str(), "%d/%d", &src.timeNum, &src.timeDen) != 2 || src.timeNum < 1 ||
        src.timeNum > 32 ||
        (src.timeDen != 2 && src.timeDen != 4 && src.timeDen != 8 && src.timeDen != 16))
      Fail(where, "bad time signature");
  } else {
    return false;
  }
  return true;
}

Source Parse(const std::string& source, const std::string& name) {
  Source src;
  src.title = name;
  std::map<std::string, std::string> macros;
  std::istringstream in(source);
  std::string raw;
  int lineNo = 0;
  bool inPart = false;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::string where = name + ":" + std::to_string(lineNo);
    std::string line = raw.substr(0, raw.find(';'));
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::istringstream words(trimmed);
    std::string word;
    words >> word;
    if (word == "part") {
      src.parts.push_back(ParsePartLine(words, lineNo, where));
      inPart = true;
    } else if (word == "macro") {
      std::string macroName;
      if (!(words >> macroName)) Fail(where, "a macro needs a name");
      std::string rest;
      std::getline(words, rest);
      macros[macroName] = rest;
      inPart = false;
    } else if (!inPart && ParseSetting(word, words, src, where)) {
    } else if (inPart) {
      src.parts.back().Text += ExpandMacros(line, macros, where) + "\n";
    } else {
      Fail(where, "music outside a part");
    }
  }
  if (src.parts.empty()) Fail(name, "no parts");
  return src;
}

// The parts compiled to tracks, each opened by its name and its channel's settings; every
// part must last as long as the others.
std::vector<std::vector<Event>> CompileParts(const Source& src, const std::string& name,
                                             std::vector<std::pair<int, int>>& tempos, int& length) {
  std::vector<std::vector<Event>> tracks;
  length = -1;
  std::string lengths;
  bool differ = false;
  for (const Part& p : src.parts) {
    std::string where = name + " part " + p.Name;
    size_t at = 0;
    std::string linear = ExpandRepeats(p.Text, at, where, false);
    PartCompiler compiler(p, tempos);
    std::vector<Event> events = compiler.Run(linear);
    const int volume = (p.Volume * src.level + 50) / 100;
    if (volume > 127) Fail(where, "vol=" + std::to_string(p.Volume) + " at level " + std::to_string(src.level) + " passes 127");
    std::vector<Event> head;
    std::vector<uint8_t> nameBytes(p.Name.begin(), p.Name.end());
    head.push_back(Meta(0, 0x03, nameBytes));
    if (p.Channel != 9) head.push_back({0, 0, {uint8_t(0xC0 | p.Channel), uint8_t(p.Program)}});
    for (auto [cc, v] : {std::pair{7, volume}, {10, p.Pan}, {91, p.Reverb}, {93, p.Chorus}, {11, 127}})
      head.push_back({0, 0, {uint8_t(0xB0 | p.Channel), uint8_t(cc), uint8_t(v)}});
    events.insert(events.begin(), head.begin(), head.end());
    tracks.push_back(std::move(events));
    if (length >= 0 && compiler.Length() != length) differ = true;
    length = std::max(length, compiler.Length());
    lengths += " " + p.Name + "=" + std::to_string(compiler.Length());
  }
  if (differ) Fail(name, "parts differ in length (ticks):" + lengths);
  if (length <= 0) Fail(name, "the song is empty");
  return tracks;
}

std::vector<Event> Conductor(const Source& src, std::vector<std::pair<int, int>>& tempos) {
  std::vector<Event> conductor;
  conductor.push_back(Meta(0, 0x03, std::vector<uint8_t>(src.title.begin(), src.title.end())));
  int dd = 0;
  for (int d = src.timeDen; d > 1; d /= 2) ++dd;
  conductor.push_back(Meta(0, 0x58, {uint8_t(src.timeNum), uint8_t(dd), 24, 8}));
  conductor.push_back(TempoEvent(0, src.tempo));
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto [tick, bpm] : tempos) conductor.push_back(TempoEvent(tick, bpm));
  return conductor;
}

// Playing time from the tempo map.
double PlayingSeconds(int tempo, const std::vector<std::pair<int, int>>& tempos, int length) {
  double seconds = 0;
  int lastTick = 0, bpm = tempo;
  for (auto [tick, newBpm] : tempos) {
    if (tick >= length) break;
    seconds += double(tick - lastTick) / kQuarter * 60.0 / bpm;
    lastTick = tick;
    bpm = newBpm;
  }
  return seconds + double(length - lastTick) / kQuarter * 60.0 / bpm;
}

}  // namespace

Song Compile(const std::string& source, const std::string& name) {
  Source src = Parse(source, name);
  std::vector<std::pair<int, int>> tempos;
  int length = 0;
  std::vector<std::vector<Event>> tracks = CompileParts(src, name, tempos, length);
  std::vector<Event> conductor = Conductor(src, tempos);

  Song song;
  song.Ticks = length;
  song.Tracks = int(src.parts.size());
  song.Seconds = PlayingSeconds(src.tempo, tempos, length);

  std::vector<uint8_t>& out = song.Midi;
  out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  out.push_back(uint8_t((src.parts.size() + 1) >> 8));
  out.push_back(uint8_t(src.parts.size() + 1));
  out.push_back(uint8_t(kQuarter >> 8));
  out.push_back(uint8_t(kQuarter & 0xFF));
  auto chunk = TrackChunk(conductor, length);
  out.insert(out.end(), chunk.begin(), chunk.end());
  for (auto& events : tracks) {
    chunk = TrackChunk(std::move(events), length);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return song;
}

}  // namespace mml
