#include "support/test_support.h"

#include <memory>

#include "audio/sound.h"
#include "combat/spawn.h"
#include "content/heroes.h"
#include "content/items.h"
#include "core/form.h"
#include "core/random.h"
#include "core/state.h"
#include "core/world.h"
#include "persist/save.h"
#include "shell/main_form.h"
#include "shell/options.h"

namespace testsupport {

namespace {
std::unique_ptr<platform::HeadlessPlatform> current;
bool audioReady = false;
}  // namespace

platform::HeadlessPlatform& Os() { return *current; }

std::string DataDir() { return MIROVAAN_TEST_DATA_DIR; }

void ResetGame() {
  current = std::make_unique<platform::HeadlessPlatform>();
  platform::SetPlatform(current.get());
  if (!audioReady) {
    audio::Init(audio::Backend::Virtual);
    audioReady = true;
  }
  audio::ClearCallLog();
  G = GameState{};
  Form1 = TForm1{};
  Form2 = TForm2{};
  persist::ResetDialogFileNames();
  AppDir = DataDir() + "/";
  RandSeed = 1;
  LoadFormSheets();
  Form1.BUF.Picture.Resize(1440, 1440);
  Form1.buf2.Picture.Resize(312, 216);
  Form1.buf2.canvas.FontName = "ＭＳ 明朝";
  Form1.buf2.canvas.BrushClear = true;
  Form1.Image1.Picture.Resize(312, 216);
  Form1.Image2.Picture.Resize(312, 216);
  const uint8_t walk[4] = {0, 1, 0, 2}, speed[4] = {6, 8, 4, 3};
  for (int i = 0; i < 4; ++i) {
    G.WalkCycle[i] = walk[i];
    G.HeroSpeed[i] = speed[i];
  }
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  InitWorldEntrances();
  InitHeroTexts();
  InitItems();
  ClearAllMonsters();
}

void StartProgram(uint32_t seed) {
  ResetGame();
  FormCreate();
  FormShow();
  RandSeed = seed;
}

}  // namespace testsupport
