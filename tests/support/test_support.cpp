#include "support/test_support.h"

#include <memory>

#include "audio/sound.h"
#include "content/heroes.h"
#include "content/items.h"
#include "state/form.h"
#include "state/random.h"
#include "state/state.h"

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
  AppDir = DataDir() + "/";
  RandSeed = 1;
  LoadFormSheets();
  SetUpBuffers();
  Form1.Image1.Picture.Resize(312, 216);
  Form1.Image2.Picture.Resize(312, 216);
  SetStartValues();
  InitHeroTexts();
  InitItems();
}

}  // namespace testsupport
