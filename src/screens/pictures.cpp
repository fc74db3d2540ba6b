// The pictures behind the screens: a screen's picture loaded as the backdrop, and the view
// of a picture or of the floor around the hero.
#include "screens/pictures.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/language.h"
#include "state/window_model.h"
#include "state/state.h"

namespace {

constexpr const char* kTitle = "title.bmp";
constexpr const char* kEnglishTitle = "title_en.bmp";

// The picture last loaded as the backdrop, so the title can follow a change of language.
std::string backdropName;

}  // namespace

void LoadBackdrop(const char* name) {
  Window.Backdrop.LoadFromFile(AppDir + name, kViewPicture);
  backdropName = name;
}

const char* TitlePicture() {
  if (CurrentLanguage() != Language::kEnglish) return kTitle;
  std::error_code ec;
  return std::filesystem::is_regular_file(AppDir + kEnglishTitle, ec) ? kEnglishTitle : kTitle;
}

void FollowTitleLanguage() {
  if (backdropName != kTitle && backdropName != kEnglishTitle) return;
  const char* wanted = TitlePicture();
  if (backdropName == wanted) return;
  try {
    LoadBackdrop(wanted);
  } catch (const std::exception&) {
    // The picture of the other language stays: a title is still a title.
    backdropName = wanted;
  }
}

// The 312 x 216 view: black, then the picture's window at (sx, sy) over it. Beyond the
// picture the view stays black, as the transfer clips at its edges. Only the bands the
// transfer leaves uncovered are filled (none at all away from the floor's edges): the
// frame comes out the same as after a whole black fill, at a fraction of the cost.
void CopyViewOverBlack(gfx::Bitmap& frame, const gfx::Bitmap& picture, int sx, int sy) {
  const int64_t w = std::min(kViewWidth, frame.Width()), h = std::min(kViewHeight, frame.Height());
  // The part of the view the transfer writes, worked out as BitBlt clips it.
  int64_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  if (!picture.Empty()) {
    x0 = std::clamp<int64_t>(-static_cast<int64_t>(sx), 0, w);
    x1 = std::clamp<int64_t>(picture.Width() - static_cast<int64_t>(sx), x0, w);
    y0 = std::clamp<int64_t>(-static_cast<int64_t>(sy), 0, h);
    y1 = std::clamp<int64_t>(picture.Height() - static_cast<int64_t>(sy), y0, h);
  }
  const int left = static_cast<int>(x0), right = static_cast<int>(x1);
  const int top = static_cast<int>(y0), bottom = static_cast<int>(y1);
  gfx::FillRect(frame, 0, 0, kViewWidth, top, gfx::kBlack);
  gfx::FillRect(frame, 0, bottom, kViewWidth, kViewHeight - bottom, gfx::kBlack);
  gfx::FillRect(frame, 0, top, left, bottom - top, gfx::kBlack);
  gfx::FillRect(frame, right, top, kViewWidth - right, bottom - top, gfx::kBlack);
  gfx::BitBlt(frame, 0, 0, kViewWidth, kViewHeight, &picture, sx, sy, gfx::Rop::Copy);
}

void DrawFloorWindow(gfx::Bitmap& frame) {
  // The hero's box lies at (144, 96) of the view.
  CopyViewOverBlack(frame, Window.FloorPicture.Picture, G.HeroX - 144, G.HeroY - 96);
}

void DrawFloorWindowWithin(gfx::Bitmap& frame, const int* start, const int* end) {
  if (frame.Width() != kViewWidth || frame.Height() != kViewHeight) return DrawFloorWindow(frame);
  const gfx::Bitmap& floor = Window.FloorPicture.Picture;
  const int sx = G.HeroX - 144, sy = G.HeroY - 96;  // as DrawFloorWindow places it
  // Away from the floor's edges every stretch is a plain copy; near them it is black
  // first and the clipped copy over it, as the whole view is drawn.
  const bool inside = !floor.Empty() && sx >= 0 && sy >= 0 &&
                      static_cast<int64_t>(sx) + kViewWidth <= floor.Width() &&
                      static_cast<int64_t>(sy) + kViewHeight <= floor.Height();
  for (int y = 0; y < kViewHeight; ++y) {
    const int x0 = start[y], n = end[y] - start[y];
    if (n <= 0) continue;
    gfx::Color* row = frame.Row(y) + x0;
    if (inside) {
      std::copy_n(floor.Row(sy + y) + sx + x0, n, row);
    } else {
      std::fill_n(row, n, gfx::kBlack);
      gfx::BitBlt(frame, x0, y, n, 1, &floor, sx + x0, sy + y, gfx::Rop::Copy);
    }
  }
}
