// mirovaan-soak: plays the whole game headless with random input for a bounded time, as a
// careless player and a damaged disk would: every key, the menus, saves and loads of good
// and damaged files, every hero in every dungeon. After every input and every tick the
// state is read and checked; the first broken rule ends the run with status 1. Built with
// the address and undefined-behaviour sanitizers, a memory error ends it too.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "state/window_model.h"
#include "game/modes.h"
#include "state/random.h"
#include "state/state.h"
#include "invariants.h"
#include "persist/save.h"
#include "headless/headless_platform.h"
#include "saves.h"
#include "game/keys.h"
#include "game/window_handlers.h"
#include "shell/options.h"
#include "start/start_up.h"
#include "modes/mode_changes.h"

namespace {

namespace fs = std::filesystem;

struct Options {
  std::string data;
  double seconds = 60;
  long ticks = 0;  // 0: as many as the time allows
  uint32_t seed = 1;
};

// Keys a player uses; any other code is tried now and then as well.
const uint16_t kPlayKeys[] = {VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT, VK_SHIFT, VK_SPACE,
                              VK_RETURN, VK_ESCAPE, 'C', VK_F1, VK_F2, VK_F3};

class Soak {
 public:
  explicit Soak(const Options& o) : o_(o), rng_(o.seed) {}

  int Run() {
    StartProgram();
    for (int hero = 0; hero < 4; ++hero) MakeBase(hero);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(o_.seconds);
    while (std::chrono::steady_clock::now() < end && (o_.ticks == 0 || ticks_ < o_.ticks)) {
      Episode();
      ++episodes_;
    }
    std::printf("mirovaan-soak: %ld ticks, %ld episodes, %ld loads (%ld refused or failed), "
                "%ld saves, no broken rule\n",
                ticks_, episodes_, loads_, refused_, saves_);
    fs::remove_all(work_);
    return 0;
  }

 private:
  void StartProgram() {
    char pattern[] = "/tmp/mirovaan-soak-XXXXXX";
    if (!::mkdtemp(pattern)) Fail("cannot make a work folder");
    work_ = pattern;
    ::mkfifo((work_ + "/pipe.sav").c_str(), 0600);
    fs::create_directory(work_ + "/folder.sav");
    fs::create_symlink(work_ + "/nowhere/x.sav", work_ + "/dangling.sav");
    os_.answerYes = false;
    start::PrepareProgram(os_, o_.data, [] { audio::Init(audio::Backend::Virtual); });
    RunHandler(OnWindowCreate);
    RunHandler(OnWindowShow);
    RandSeed = o_.seed;  // as the runner's --seed: the program's own start-up
    Check("start-up");
  }

  // A new game of the hero through the title and the selection, saved, and left for the title.
  void MakeBase(int hero) {
    static const uint16_t kArrowFor[4] = {VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP};
    Press(VK_RETURN);
    if (hero != 0) Press(kArrowFor[hero]);
    Press(VK_RETURN);
    if (G.GameMode != kModeWorld || G.HeroIndex != hero) Fail("no new game for hero " + std::to_string(hero));
    const std::string path = work_ + "/base" + std::to_string(hero) + ".sav";
    Menu('s', path);
    bases_[hero] = soak::ReadFile(path);
    if (bases_[hero].size() != kSaveRecordSize) Fail("the game did not save " + path);
    os_.answerYes = true;
    Menu('x', "");
    if (G.GameMode != kModeTitle) Fail("File, Exit did not return to the title");
  }

  // One hero in one dungeon: the game loaded through the menu, then random play.
  void Episode() {
    // Every dungeon within nine episodes, every hero in every dungeon within 36.
    const int hero = static_cast<int>(episodes_ % 4), dungeon = static_cast<int>(episodes_ % 9);
    if (!ReachLoadableMode()) return;
    const std::string path = work_ + "/episode.sav";
    const bool atEntrance = rng_() % 2 == 0;
    if (atEntrance) {
      const WorldEntrance& e = G.WorldEntrances[dungeon];
      soak::WriteFile(path, soak::AtEntrance(bases_[hero], e.X, e.Y));
    } else {
      soak::WriteFile(path, soak::InDungeon(bases_[hero], o_.data, dungeon, rng_() % 10, rng_));
    }
    Menu('l', path);
    if (atEntrance && G.GameMode == kModeWorld) Press(VK_RETURN);
    // Some players stand and watch, some hammer the keys.
    static const unsigned kActivity[] = {5, 30, 250, 600};
    activity_ = kActivity[rng_() % std::size(kActivity)];
    const long length = 200 + static_cast<long>(rng_() % 1000);
    for (long i = 0; i < length && (o_.ticks == 0 || ticks_ < o_.ticks); ++i) RandomTick(path);
  }

  // The load command is disabled on the selection, game-over and ending screens: leave them
  // as a player would.
  bool ReachLoadableMode() {
    for (int i = 0; i < 4000 && !Window.LoadCommand.Enabled; ++i) {
      const int mode = G.GameMode;
      if (mode == kModeSelect || mode == kModeGameOver || (mode == kModeEnding && EndingReturnHeld()))
        Press(VK_RETURN);
      else
        Tick();
    }
    return Window.LoadCommand.Enabled;
  }

  void RandomTick(const std::string& episodeFile) {
    os_.answerYes = rng_() % 2 == 0;
    const unsigned r = rng_() % 1000, a = activity_;
    if (r < a) {
      ToggleKey(kPlayKeys[rng_() % std::size(kPlayKeys)]);
    } else if (r < a + a / 10) {
      Press(static_cast<uint16_t>(rng_() % 256));
    } else if (r < a + a / 10 + 3) {
      RandomCommand(episodeFile);
    }
    Tick();
  }

  void RandomCommand(const std::string& episodeFile) {
    const std::string saved = work_ + "/played.sav";
    switch (rng_() % 10) {
      case 8: OptionsDialog(); break;
      case 9: ViewSize(); break;
      case 0: Menu('s', saved); break;
      case 1: Menu('s', work_ + (rng_() % 2 ? "/folder.sav" : "/dangling.sav")); break;
      case 2: Menu('l', saved); break;
      case 3: Menu('l', episodeFile); break;
      case 4: {
        const std::string damaged = work_ + "/damaged.sav";
        soak::Record good = soak::ReadFile(fs::exists(saved) ? saved : episodeFile);
        if (!good.empty()) soak::WriteFile(damaged, soak::Damaged(good, rng_));
        Menu('l', damaged);
        break;
      }
      case 5: Menu('l', work_ + (rng_() % 2 ? "/pipe.sav" : "/folder.sav")); break;
      default: {
        // Ending the program is not what a soak wants: the ending modes are answered No.
        const int mode = G.GameMode;
        if (mode == kModeTitle || mode == kModeGameOver || mode == kModeSelect) os_.answerYes = false;
        Menu('x', "");
      }
    }
  }

  // The options dialog as a player moves its controls: speed, music and effects.
  void OptionsDialog() {
    const int speed = 1 + static_cast<int>(rng_() % 100);
    const bool music = rng_() % 2, effects = rng_() % 2;
    os_.optionsDialogScript = [=] {
      SetSpeedPosition(speed);
      SetMusicChecked(music);
      SetEffectsChecked(effects);
      OnOptionsClose();
    };
    RunHandler(OnOptionsCommand);
    Check("options dialog");
  }

  void ViewSize() {
    static void (*const kSizes[])() = {OnView624Command, OnView312Command, OnView156Command};
    RunHandler(kSizes[rng_() % 3]);
    Check("view size");
  }

  void ToggleKey(uint16_t key) {
    const int flag = KeyFlagOf(key);
    if (flag >= 0 && G.KeyState[flag]) {
      RunHandler([key] { OnKeyUp(key); });
    } else {
      RunHandler([key] { OnKeyDown(key); });
      if (flag < 0) RunHandler([key] { OnKeyUp(key); });
    }
    Check("key");
  }

  void Press(uint16_t key) {
    RunHandler([key] { OnKeyDown(key); });
    RunHandler([key] { OnKeyUp(key); });
    Check("key press");
  }

  void Menu(char command, const std::string& path) {
    if (command == 's') {
      os_.saveAnswers = {path};
      if (Window.SaveCommand.Enabled) ++saves_;
      RunHandler(OnSaveCommand);
    } else if (command == 'l') {
      os_.openAnswers = {path};
      const size_t shown = os_.lines.size();
      if (Window.LoadCommand.Enabled) {
        ++loads_;
        RunHandler(OnLoadCommand);
        if (os_.lines.size() > shown) ++refused_;
      }
    } else {
      RunHandler(OnExitCommand);
    }
    os_.saveAnswers.clear();
    os_.openAnswers.clear();
    if (Window.Ended) Fail("the program ended");
    Check(command == 's' ? "save" : command == 'l' ? "load" : "exit");
  }

  void Tick() {
    RunHandler(OnTickTimer);
    audio::AdvanceClock(Window.TickTimer.Interval);
    if (Window.MusicTimer.Enabled) RunHandler(OnMusicTimer);
    ++ticks_;
    if (os_.lines.size() > 1000) os_.lines.clear();
    Check("tick");
  }

  void Check(const char* after) {
    if (auto broken = soak::BrokenInvariant()) Fail(std::string("after a ") + after + ": " + *broken);
  }

  [[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr,
                 "mirovaan-soak: %s\n  seed %u, tick %ld, episode %ld, mode %d, hero %d, "
                 "dungeon %d, floor %d\n",
                 what.c_str(), o_.seed, ticks_, episodes_, static_cast<int>(G.GameMode),
                 G.HeroIndex, static_cast<int>(G.DungeonIndex), static_cast<int>(G.FloorIndex));
    if (!os_.lines.empty()) std::fprintf(stderr, "  last message: %s\n", os_.lines.back().c_str());
    std::exit(1);
  }

  Options o_;
  std::mt19937 rng_;
  platform::HeadlessPlatform os_;
  std::string work_;
  soak::Record bases_[4];
  unsigned activity_ = 250;  // key events per thousand ticks
  long ticks_ = 0, episodes_ = 0, loads_ = 0, refused_ = 0, saves_ = 0;
};

Options ParseArgs(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i], value = argv[i + 1];
    if (arg == "--data") o.data = value;
    else if (arg == "--seconds") o.seconds = std::atof(value.c_str());
    else if (arg == "--ticks") o.ticks = std::atol(value.c_str());
    else if (arg == "--seed") o.seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
    else o.data.clear();
  }
  if (argc % 2 == 0 || o.data.empty()) {
    std::fprintf(stderr, "usage: mirovaan-soak --data DIR [--seconds S] [--ticks N] [--seed N]\n");
    std::exit(2);
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) { return Soak(ParseArgs(argc, argv)).Run(); }
