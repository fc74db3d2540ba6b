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
  SetUpBuffers();
  Form1.Image1.Picture.Resize(312, 216);
  Form1.Image2.Picture.Resize(312, 216);
  G.MusicOn = 1;
  G.EffectsOn = 1;
  G.TickInterval = 50;
  FillConstantTables();
  ClearAllMonsters();
}

void StartProgram(uint32_t seed) {
  ResetGame();
  FormCreate();
  FormShow();
  RandSeed = seed;
}

}  // namespace testsupport
