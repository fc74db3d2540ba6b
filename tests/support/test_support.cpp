#include "support/test_support.h"

#include <memory>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "start/start_up.h"

namespace testsupport {

namespace {
std::unique_ptr<platform::HeadlessPlatform> current;
bool audioReady = false;
}  // namespace

platform::HeadlessPlatform& Os() { return *current; }

// The program's own start-up steps on a zeroed record; the sound starts once per test
// program, and its log of calls is cleared for each test.
void ResetGame() {
  G = GameState{};
  Window = WindowModel{};
  RandSeed = 1;
  current = std::make_unique<platform::HeadlessPlatform>();
  start::PrepareProgram(*current, DataDir(), [] {
    if (audioReady) return;
    audio::Init(audio::Backend::Virtual);
    audioReady = true;
  });
  audio::ClearCallLog();
  start::PrepareRecord();
  // The game sizes the floor picture when it draws the first floor; tests start as if in a
  // dungeon already, so they have one ready.
  Window.FloorPicture.Picture.Resize(kFloorPixels, kFloorPixels);
  Window.ShownFrame.Picture.Resize(kViewWidth, kViewHeight);
  Window.Backdrop.Picture.Resize(kViewWidth, kViewHeight);
}

}  // namespace testsupport
