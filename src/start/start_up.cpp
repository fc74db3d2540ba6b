#include "start/start_up.h"

#include "content/heroes.h"
#include "content/items.h"
#include "state/window_model.h"
#include "state/state.h"

namespace start {

void PrepareProgram(platform::Platform& os, std::string contentDir, const SoundStart& startSound) {
  platform::SetPlatform(&os);
  if (contentDir.empty() || contentDir.back() != '/') contentDir += '/';
  AppDir = contentDir;
  startSound();
  LoadWindowSheets();
}

void PrepareRecord() {
  SetUpBuffers();
  SetStartValues();
  InitHeroTexts();
  InitItems();
}

}  // namespace start
