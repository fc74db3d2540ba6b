// mirovaan-sim: runs the whole game headless, tick by tick, from a script of keys and
// menu commands, and writes frames and the final state. Only the platform differs from
// the window: the same handlers run, drawing included.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "autoplay/player.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "gfx/png.h"
#include "persist/save.h"
#include "platform/language.h"
#include "headless/headless_platform.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "shell/feed.h"
#include "shell/options.h"
#include "start/start_up.h"
#include "render_music.h"
#include "replay_mode.h"
#include "state_json.h"

namespace {

struct UsageError {
  std::string message;
};

struct ScriptLine {
  int tick;
  std::string action;  // down, up, press, menu
  uint16_t key = 0;
  std::string command;  // save, load, exit, options, quicksave, slot-save ...
  int slot = 0;          // slot-save, slot-load
  std::string path;
  int interval = 0;  // options: the dialog's controls as it is closed
  bool music = false, effects = false;
};

struct Options {
  std::string data;
  uint32_t seed = 1;
  int ticks = 1;
  std::string keysFile;
  std::string loadPath;
  bool answerYes = true;
  std::map<int, std::vector<std::string>> shots;
  std::string statePath;
  int autoplayHero = -1;  // the scripted player's hero, -1 for none
  std::string reportPath;
  int untilBoss = -1;  // the scripted player stops once this dungeon's boss has fallen
  bool ticksGiven = false;
  bool autosave = false;  // save by itself on entering and leaving a dungeon, as the window does
  // The language of the picture; the state, the saved games and the replays never hold it.
  Language language = Language::kJapanese;
  sim::ReplayOptions replay;
  sim::RenderMusicOptions renderMusic;
};

long ParseNumber(const std::string& text, const char* what) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') throw UsageError{std::string("bad ") + what + ": " + text};
  return value;
}

std::vector<ScriptLine> ReadScript(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw UsageError{"cannot read the key file " + path};
  std::vector<ScriptLine> lines;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::istringstream words(text);
    std::string tick, action;
    if (!(words >> tick) || tick[0] == '#') continue;
    auto where = [&] { return path + ":" + std::to_string(number) + ": "; };
    ScriptLine line;
    try {
      line.tick = static_cast<int>(ParseNumber(tick, "tick"));
    } catch (const UsageError& e) {
      throw UsageError{where() + e.message};
    }
    if (!(words >> action)) throw UsageError{where() + "missing action"};
    line.action = action;
    if (action == "down" || action == "up" || action == "press") {
      std::string key;
      if (!(words >> key)) throw UsageError{where() + "missing key"};
      auto code = KeyCodeByName(key);
      if (!code) throw UsageError{where() + "unknown key " + key};
      line.key = *code;
    } else if (action == "menu") {
      if (!(words >> line.command)) throw UsageError{where() + "missing menu command"};
      if (line.command == "save" || line.command == "load") {
        std::getline(words >> std::ws, line.path);
        if (line.path.empty()) throw UsageError{where() + "menu " + line.command + " needs a path"};
      } else if (line.command == "options") {
        int music = -1, effects = -1;
        if (!(words >> line.interval >> music >> effects) || line.interval < 1 ||
            line.interval > 100 || music < 0 || music > 1 || effects < 0 || effects > 1)
          throw UsageError{where() + "menu options needs SPEED(1-100) MUSIC(0/1) EFFECTS(0/1)"};
        line.music = music == 1;
        line.effects = effects == 1;
      } else if (line.command == "slot-save" || line.command == "slot-load") {
        if (!(words >> line.slot) || line.slot < 1 || line.slot > 10)
          throw UsageError{where() + "menu " + line.command + " needs a slot 1-10"};
      } else if (!feed::CommandNamed(line.command) || line.command == "autosave") {
        throw UsageError{where() + "unknown menu command " + line.command};
      }
    } else {
      throw UsageError{where() + "unknown action " + action};
    }
    lines.push_back(line);
  }
  // Delivered in tick order; lines of the same tick keep the order of the file.
  std::stable_sort(lines.begin(), lines.end(),
                   [](const ScriptLine& a, const ScriptLine& b) { return a.tick < b.tick; });
  return lines;
}

// A whole scripted game fits well within this many ticks (about 28 hours of game time).
constexpr int kAutoplayTickLimit = 2000000;

Options ParseArgs(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
      return argv[++i];
    };
    if (arg == "--data") {
      o.data = next();
    } else if (arg == "--seed") {
      long long seed = std::strtoll(next().c_str(), nullptr, 10);
      o.seed = static_cast<uint32_t>(seed);
    } else if (arg == "--ticks") {
      o.ticks = static_cast<int>(ParseNumber(next(), "tick count"));
      if (o.ticks < 0) throw UsageError{"--ticks must not be negative"};
      o.ticksGiven = true;
    } else if (arg == "--autoplay") {
      o.autoplayHero = static_cast<int>(ParseNumber(next(), "hero"));
      if (o.autoplayHero < 0 || o.autoplayHero > 3) throw UsageError{"--autoplay takes a hero 0 to 3"};
    } else if (arg == "--report") {
      o.reportPath = next();
    } else if (arg == "--until-boss") {
      o.untilBoss = static_cast<int>(ParseNumber(next(), "dungeon"));
      if (o.untilBoss < 0 || o.untilBoss > 7) throw UsageError{"--until-boss takes a dungeon 0 to 7"};
    } else if (arg == "--keys") {
      o.keysFile = next();
    } else if (arg == "--load") {
      o.loadPath = next();
    } else if (arg == "--answer") {
      std::string a = next();
      if (a != "yes" && a != "no") throw UsageError{"--answer takes yes or no"};
      o.answerYes = a == "yes";
    } else if (arg == "--shot") {
      std::string request = next();
      size_t colon = request.find(':');
      if (colon == std::string::npos || colon + 1 == request.size())
        throw UsageError{"--shot takes TICK:PATH"};
      int tick = static_cast<int>(ParseNumber(request.substr(0, colon), "shot tick"));
      o.shots[tick].push_back(request.substr(colon + 1));
    } else if (arg == "--state") {
      o.statePath = next();
    } else if (arg == "--language") {
      const std::optional<Language> language = LanguageFromCode(next());
      if (!language) throw UsageError{"--language takes ja or en"};
      o.language = *language;
    } else if (sim::TakeReplayOption(arg, next, o.replay)) {
    } else if (sim::TakeRenderMusicOption(arg, next, o.renderMusic)) {
    } else if (arg == "--autosave") {
      o.autosave = true;
    } else if (arg == "--help" || arg == "-h") {
      throw UsageError{""};
    } else {
      throw UsageError{"unknown option " + arg};
    }
  }
  if (o.data.empty()) throw UsageError{"--data DIR is required"};
  if (std::string fault = sim::CheckRenderMusicOptions(o.renderMusic); !fault.empty())
    throw UsageError{fault};
  if (std::string fault = sim::CheckReplayOptions(o.replay); !fault.empty()) throw UsageError{fault};
  if (o.autoplayHero < 0 && (!o.reportPath.empty() || o.untilBoss >= 0))
    throw UsageError{"--report and --until-boss belong to --autoplay"};
  if (o.autoplayHero >= 0 && (!o.keysFile.empty() || !o.loadPath.empty() || !o.replay.play.empty()))
    throw UsageError{"--autoplay plays from the title: no --keys, --load or --play"};
  if (o.autoplayHero >= 0 && !o.ticksGiven) o.ticks = kAutoplayTickLimit;
  if (!o.replay.play.empty() && (!o.keysFile.empty() || !o.loadPath.empty()))
    throw UsageError{"a replay brings its own keys and start: no --keys or --load with it"};
  return o;
}

class Runner {
 public:
  explicit Runner(Options options) : o_(std::move(options)) {}

  int Run() {
    std::vector<ScriptLine> script;
    if (!o_.keysFile.empty()) script = ReadScript(o_.keysFile);
    if (!o_.loadPath.empty()) {
      std::ifstream probe(o_.loadPath, std::ios::binary);
      if (!probe) throw UsageError{"cannot read the saved game " + o_.loadPath};
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(o_.data, ec))
      throw UsageError{"the data folder " + o_.data + " does not exist"};
    os_.answerYes = o_.answerYes;
    // The scripted player's own question boxes (take this medicine?) are not news.
    os_.echo = [quiet = o_.autoplayHero >= 0](const std::string& line) {
      if ((line.rfind("msgbox: ", 0) == 0 || line.rfind("notice: ", 0) == 0) && !quiet)
        std::cout << line << std::endl;
    };
    start::PrepareProgram(os_, o_.data, [] { audio::Init(audio::Backend::Virtual); });
    feed::SetAutosave(o_.autosave);
    sim::SimReplay replay(o_.replay, os_);  // checks the replay against the content folder
    nextLoopCheck_ = audio::ClockMs() + 1000;
    RunHandler(OnWindowCreate);
    RunHandler(OnWindowShow);
    RandSeed = o_.seed;
    bool loaded = false;
    if (!o_.loadPath.empty()) RunHandler([&] { loaded = LoadGameFile(o_.loadPath); });
    replay.Begin(loaded);
    Shots(0);
    int status = replay.Playing() ? replay.Play([&](int tick) {
      AdvanceClock(Window.TickTimer.Interval);
      Shots(tick);
    }) : o_.autoplayHero >= 0 ? Autoplay() : RunScript(script);
    replay.Finish();
    if (!o_.statePath.empty()) WriteText(o_.statePath, StateJson());
    audio::Shutdown();
    return status;
  }

 private:
  int RunScript(const std::vector<ScriptLine>& script) {
    size_t next = 0;
    for (int tick = 1; tick <= o_.ticks && !Window.Ended; ++tick) {
      while (next < script.size() && script[next].tick <= tick && !Window.Ended) {
        Deliver(script[next++]);
      }
      if (Window.Ended) break;
      RunHandler([] { feed::Tick(); });
      AdvanceClock(Window.TickTimer.Interval);
      Shots(tick);
    }
    return 0;
  }

  // The scripted player presses its keys through the same handlers as a key file.
  int Autoplay() {
    auto start = std::chrono::steady_clock::now();
    autoplay::Player player(o_.autoplayHero, o_.seed);
    int tick = 0;
    while (tick < o_.ticks && !Window.Ended && !player.Done()) {
      if (o_.untilBoss >= 0 && player.report().BossFell(o_.untilBoss)) break;
      for (const autoplay::KeyEvent& e : player.Decide()) {
        ScriptLine line;
        line.tick = tick + 1;
        line.action = e.down ? "down" : "up";
        line.key = e.key;
        Deliver(line);
      }
      ++tick;
      RunHandler([] { feed::Tick(); });
      AdvanceClock(Window.TickTimer.Interval);
      Shots(tick);
      for (const std::string& news : player.Observe(tick)) std::cout << news << std::endl;
    }
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "autoplay: " << tick << " ticks (" << tick / 20.0 << " s of game time) in " << wall
              << " s; ending " << (player.report().EndingBegan() ? "reached" : "not reached") << std::endl;
    std::cout << "autoplay: row " << player.report().TableRow(o_.autoplayHero, o_.seed, G.Level, wall) << std::endl;
    if (!o_.reportPath.empty()) WriteText(o_.reportPath, player.report().Json(o_.autoplayHero, o_.seed, tick, wall));
    return 0;
  }

  void Deliver(const ScriptLine& line) {
    if (line.action == "down" || line.action == "press") RunHandler([&] { feed::KeyDown(line.key); });
    if (line.action == "up" || line.action == "press") RunHandler([&] { feed::KeyUp(line.key); });
    if (line.action != "menu") return;
    if (line.command == "save") {
      os_.saveAnswers = {line.path};
      RunHandler([] { feed::Run(feed::Command::Save); });
    } else if (line.command == "load") {
      os_.openAnswers = {line.path};
      RunHandler([] { feed::Run(feed::Command::Load); });
    } else if (line.command == "options") {
      os_.optionsDialogScript = [&line] {
        SetSpeedPosition(line.interval);
        SetMusicChecked(line.music);
        SetEffectsChecked(line.effects);
        OnOptionsClose();
      };
      RunHandler([] { feed::Run(feed::Command::Options); });
      os_.optionsDialogScript = nullptr;
    } else {
      feed::Command command = *feed::CommandNamed(line.command);
      RunHandler([command, slot = line.slot] { feed::RunSlot(command, slot); });
    }
    os_.saveAnswers.clear();
    os_.openAnswers.clear();
  }

  // Audio renders as time passes, and the loop check runs once a second of it. The clock is
  // the audio's own: the blocking boss effect moves it on by the effect's length.
  void AdvanceClock(int ms) {
    audio::AdvanceClock(ms);
    int64_t step = Window.MusicTimer.Interval > 0 ? Window.MusicTimer.Interval : 1000;
    while (audio::ClockMs() >= nextLoopCheck_) {
      nextLoopCheck_ += step;
      if (Window.MusicTimer.Enabled) RunHandler(OnMusicTimer);
    }
  }

  void Shots(int tick) {
    auto it = o_.shots.find(tick);
    if (it == o_.shots.end()) return;
    for (const std::string& path : it->second) {
      std::string error;
      if (!gfx::WritePng(path, Window.ShownFrame.Picture, error)) {
        std::cerr << "mirovaan-sim: " << error << "\n";
        failed_ = true;
      }
    }
  }

  void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
      std::cerr << "mirovaan-sim: cannot write " << path << "\n";
      failed_ = true;
    }
  }

 public:
  bool failed_ = false;

 private:
  Options o_;
  platform::HeadlessPlatform os_;
  int64_t nextLoopCheck_ = 1000;
};

const char kUsage[] =
    "usage: mirovaan-sim --data DIR [--seed N] [--ticks N] [--keys FILE] [--load PATH]\n"
    "                    [--answer yes|no] [--shot TICK:PATH]... [--state PATH] [--autosave]\n"
    "                    [--language ja|en]\n"
    "                    [--record FILE | --play FILE | --timedemo FILE [--timedemo-repeat N]]\n"
    "       mirovaan-sim --data DIR --autoplay HERO [--seed N] [--ticks LIMIT] [--report PATH]\n"
    "                    [--until-boss DUNGEON] [--state PATH] [--record FILE] [--autosave]\n"
    "       mirovaan-sim --data DIR --render-music NAME --soundfont PATH --seconds S --out FILE.wav\n";

}  // namespace

int main(int argc, char** argv) {
  try {
    Options options = ParseArgs(argc, argv);
    SetCurrentLanguage(options.language);
    if (options.renderMusic.Wanted()) return sim::RenderMusicToFile(options.renderMusic, options.data);
    Runner runner(std::move(options));
    int status = runner.Run();
    return runner.failed_ ? 2 : status;
  } catch (const sim::ReplayFailure& e) {
    std::cerr << "mirovaan-sim: " << e.message << "\n";
    return e.status;
  } catch (const UsageError& e) {
    if (!e.message.empty()) std::cerr << "mirovaan-sim: " << e.message << "\n";
    std::cerr << kUsage;
    return 2;
  }
}
