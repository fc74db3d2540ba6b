// The game-over screen and the ending scroll. Their texts are drawn once, without shadow.
#include "screens/gameover.h"

#include "content/phrases.h"
#include "content/story.h"
#include "platform/language.h"
#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "screens/text.h"

namespace {

constexpr int kEndingScrollStart = 100;  // five seconds of the still first

// A fresh colour, red drawn first, then green, then blue.
gfx::Color RandomColour() {
  const int r = Random(255);
  const int g = Random(255);
  const int b = Random(255);
  return gfx::Rgb(r, g, b);
}

}  // namespace

void DrawDeathRemains() {
  // SplatSheet draws into the floor picture, so the marks stay where the hero fell until the
  // floor is set up anew.
  for (int i = 0; i < 3; ++i) {
    const int x = G.HeroX + Random(30) - 15;
    const int y = G.HeroY + Random(30) - 15;
    DrawCell(Window.SplatSheet, 3, x, y);
  }
  DrawCell(Window.SplatSheet, 2, G.HeroX, G.HeroY);
}

namespace {

// The Japanese lines stand where they always have; English ones, of other widths, are
// centred on the same middle (x 150).
int GameOverX(int japaneseX, const std::string& text) {
  if (CurrentLanguage() != Language::kEnglish) return japaneseX;
  return 150 - DrawnWidth(10, text) / 2;
}

}  // namespace

void DrawGameOver() {
  const gfx::Color first = RandomColour();
  const std::string heading = Say(Phrase::kGameOver);
  DrawShadowText(GameOverX(105, heading), 90, 10, first, heading);
  const gfx::Color second = RandomColour();
  const std::string prompt = Say(Phrase::kGameOverPrompt);
  DrawShadowText(GameOverX(100, prompt), 110, 10, second, prompt);
}

void DrawEnding() {
  const int t = G.TickCount;
  if (t < kEndingScrollStart || t >= kEndingLength) return;
  const StoryLine* lines = EndingLines();
  for (int i = 0; i < 21; ++i) {
    const StoryLine& line = lines[i];
    DrawShadowText(line.X, line.Y0 - t, line.Size, gfx::kWhite, line.Text ? line.Text : "");
  }
}
