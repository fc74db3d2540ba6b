// The title screen and the hero selection screen. Both draw over the picture that the tick
// has already copied from Backdrop into Frame, and both draw their texts once, without shadow.
#include "screens/title.h"

#include "content/heroes.h"
#include "content/phrases.h"
#include "content/story.h"
#include "platform/language.h"
#include "screens/pictures.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "screens/text.h"

namespace {

constexpr int kPromptTicks = 300;  // fifteen seconds of "HIT ANY KEY"
constexpr int kCycleTicks = 2000;  // the prompt and the story, then over again

// The prompt pulses grey, light grey, white and back, and blinks out for one tick in six.
constexpr gfx::Color kPromptGreys[6] = {
    gfx::Rgb(128, 128, 128), gfx::Rgb(192, 192, 192), gfx::Rgb(255, 255, 255),
    gfx::Rgb(192, 192, 192), gfx::Rgb(128, 128, 128), gfx::Rgb(0, 0, 0),
};

// A walking figure beside each hero's heading: which story line it stands before, its base
// line and how many ticks each step of its walk lasts.
struct StoryFigure {
  int beforeLine;
  int y0;
  int ticksPerStep;
};
constexpr StoryFigure kFigures[4] = {
    {10, 913, 3},
    {17, 1163, 2},
    {24, 1409, 3},
    {35, 1709, 4},
};
constexpr int kFigureX = 8;

void DrawStoryFigure(int hero, int t) {
  const StoryFigure& f = kFigures[hero];
  const int step = G.WalkCycle[(t / f.ticksPerStep) % 4];
  // Cells 12h + 6 .. 12h + 8 are hero h walking towards the viewer.
  DrawHeroCell(kFigureX, f.y0 - t, hero * 12 + 6 + step);
}

void DrawStory(int t) {
  int figure = 0;
  const StoryLine* lines = StoryLines();
  for (int i = 0; i < 46; ++i) {
    if (figure < 4 && kFigures[figure].beforeLine == i) DrawStoryFigure(figure++, t);
    const StoryLine& line = lines[i];
    DrawShadowText(line.X, line.Y0 - t, line.Size, gfx::kWhite, line.Text ? line.Text : "");
  }
}

}  // namespace

void DrawHeroCell(int x, int y, int cell) {
  constexpr int kFigure = kTileSize;  // a hero figure is one tile
  if (x < -kFigure || x >= kViewWidth + kFigure) return;
  if (y < -kFigure || y >= kViewHeight + kFigure) return;
  DrawCell(Window.HeroSheet, cell, x, y);
}

void DrawTitle() {
  FollowTitleLanguage();
  const int t = G.TickCount;
  if (t < kPromptTicks) {
    const int step = ((t % 6) + 6) % 6;
    const std::string prompt = Say(Phrase::kTitlePrompt);
    // The Japanese prompt has always stood at 80; the English one, longer, is centred.
    const bool english = CurrentLanguage() == Language::kEnglish;
    const int x = english ? (kViewWidth - DrawnWidth(20, prompt)) / 2 : 80;
    DrawShadowText(x, 180, 20, kPromptGreys[step], prompt);
  } else if (t < kCycleTicks) {
    DrawStory(t);
  } else {
    G.TickCount = 0;
  }
}

void DrawSelection() {
  const int h = G.HeroIndex;
  // English labels, longer than the Japanese, stand in one column with the name.
  const int x = CurrentLanguage() == Language::kEnglish ? 170 : 175;
  DrawShadowText(170, 70, 10, gfx::kWhite, HeroText(h, kLineName));
  DrawShadowText(x, 90, 10, gfx::kWhite, HeroText(h, kLineType));
  DrawShadowText(x, 110, 10, gfx::kWhite, HeroText(h, kLineWeapon));
  DrawShadowText(x, 125, 10, gfx::kWhite, HeroText(h, kLineArmour));

  // Three fresh draws a tick, red first, so the heading flickers through random colours.
  const int r = Random(255);
  const int g = Random(255);
  const int b = Random(255);
  DrawShadowText(170, 195, 10, gfx::Rgb(r, g, b), Say(Phrase::kSelectionHeading));
}
