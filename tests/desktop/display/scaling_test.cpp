// The picture scaled by the X server and scaled by the program, side by side on a real X
// display: the same pixels on the screen, bars, banners and changed frames included, and the
// server's route taken where it can be and given up where it cannot. Run by
// scripts/with-desktop.sh.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <functional>
#include <random>

#include "event_pump.h"
#include "desktop/image_view.h"
#include "gfx/view_scale.h"
#include "state/window_model.h"

namespace {

using desktoptest::Pump;
using desktoptest::WaitFor;

void FillNoise(gfx::Bitmap& frame, uint32_t seed) {
  std::mt19937 rng(seed);
  for (auto& p : frame.Pixels()) p = rng() & 0xFFFFFF;
}

// One view on the screen at a time, at the top-left corner, without a frame.
class Shown {
 public:
  Shown(ImageView::Scaling scaling, QSize size, gfx::ScaleMode mode) : view_(nullptr, scaling) {
    view_.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    view_.SetScaleMode(mode);
    view_.setGeometry(QRect(QPoint(0, 0), size));
    view_.show();
    WaitFor([this] { return view_.isVisible() && view_.windowHandle()->isExposed(); });
    view_.Present();
  }
  ImageView& View() { return view_; }
  QImage Grab() {
    view_.Present();
    QApplication::processEvents();
    QRect area(QPoint(0, 0), view_.size() * view_.devicePixelRatioF());
    return view_.screen()
        ->grabWindow(0, 0, 0, view_.width(), view_.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32)
        .copy(area);
  }

 private:
  ImageView view_;
};

// What the view must show: the frame scaled as the program scales it, black around it.
QImage Expected(gfx::ScaleMode mode, QSize size) {
  gfx::Box at = gfx::PlacePicture(mode, kViewWidth, kViewHeight, size.width(), size.height());
  gfx::ScaledView scaled;
  scaled.Configure(kViewWidth, kViewHeight, at.w, at.h);
  scaled.Update(Window.ShownFrame.Picture);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  scaled.Render({0, 0, at.w, at.h}, reinterpret_cast<uint32_t*>(image.scanLine(at.y)) + at.x,
                image.bytesPerLine() / 4);
  return image;
}

// Waits until the screen stops changing, and returns what it then shows.
QImage Settled(Shown& shown) {
  QImage last = shown.Grab();
  WaitFor([&] {
    Pump(150);
    QImage now = shown.Grab();
    bool same = now == last;
    last = now;
    return same;
  });
  return last;
}

struct Case {
  QSize size;
  gfx::ScaleMode mode;
  bool serverScales;
};

void CheckBothRoutes(const Case& c) {
  SCOPED_TRACE(testing::Message() << c.size.width() << " x " << c.size.height() << " mode "
                                  << static_cast<int>(c.mode));
  FillNoise(Window.ShownFrame.Picture, c.size.width() * 31 + c.size.height());
  QImage expected = Expected(c.mode, c.size);

  Shown server(ImageView::Scaling::Automatic, c.size, c.mode);
  EXPECT_EQ(server.View().ServerScales(), c.serverScales);
  EXPECT_TRUE(WaitFor([&] { return server.Grab() == expected; })) << "the first frame";
  // A small change, then a wide one: only what changed is sent and drawn again.
  gfx::FillRect(Window.ShownFrame.Picture, 100, 50, 13, 7, gfx::Rgb(250, 10, 20));
  expected = Expected(c.mode, c.size);
  EXPECT_TRUE(WaitFor([&] { return server.Grab() == expected; })) << "a small change";
  FillNoise(Window.ShownFrame.Picture, 99);
  expected = Expected(c.mode, c.size);
  EXPECT_TRUE(WaitFor([&] { return server.Grab() == expected; })) << "a new frame";
  // The banners are the window's own, drawn over the picture in the program on both routes.
  server.View().SetPaused(true);
  server.View().ShowNotice(QStringLiteral("スクリーンショットを保存しました: /tmp/x.png"), 60000);
  QImage serverBanners = Settled(server);
  EXPECT_NE(serverBanners, expected) << "the banners show";
  server.View().hide();

  Shown software(ImageView::Scaling::Software, c.size, c.mode);
  EXPECT_FALSE(software.View().ServerScales());
  EXPECT_TRUE(WaitFor([&] { return software.Grab() == expected; }));
  software.View().SetPaused(true);
  software.View().ShowNotice(QStringLiteral("スクリーンショットを保存しました: /tmp/x.png"), 60000);
  EXPECT_TRUE(WaitFor([&] { return software.Grab() == serverBanners; }))
      << "the banners are drawn alike";
}

TEST(Scaling, TheServerAndTheProgramShowTheSamePixels) {
  {
    ImageView probe(nullptr);
    probe.SetScaleMode(gfx::ScaleMode::Whole);
    probe.resize(624, 432);
    if (!probe.ServerScales()) GTEST_SKIP() << "this X server does not scale pictures";
  }
  CheckBothRoutes({{624, 432}, gfx::ScaleMode::Fill, true});  // twice the size
  // Ten times: the server's fixed-point steps are taken over from each quarter of the frame.
  QSize screen = QGuiApplication::primaryScreen()->size();
  if (screen.width() >= 3120 && screen.height() >= 2160)
    CheckBothRoutes({{3120, 2160}, gfx::ScaleMode::Fill, true});
  CheckBothRoutes({{1000, 700}, gfx::ScaleMode::Whole, true});   // three times, with bars
  CheckBothRoutes({{624, 648}, gfx::ScaleMode::Fill, true});     // two wide, three high
  CheckBothRoutes({{700, 500}, gfx::ScaleMode::Fill, false});    // a fraction: the program
  CheckBothRoutes({{700, 500}, gfx::ScaleMode::Aspect, false});  // a fraction, with bars
}

// From a whole factor to a fraction and back in one view: the route follows the size and the
// picture stays right throughout.
TEST(Scaling, TheRouteFollowsTheSize) {
  FillNoise(Window.ShownFrame.Picture, 5);
  Shown shown(ImageView::Scaling::Automatic, {936, 648}, gfx::ScaleMode::Fill);
  if (!shown.View().ServerScales()) GTEST_SKIP() << "this X server does not scale pictures";
  for (QSize size : {QSize(800, 600), QSize(936, 648), QSize(624, 432)}) {
    SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
    shown.View().resize(size);
    QImage expected = Expected(gfx::ScaleMode::Fill, size);
    EXPECT_TRUE(WaitFor([&] { return shown.Grab() == expected; }));
    EXPECT_EQ(shown.View().ServerScales(), size != QSize(800, 600));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    std::printf("scaling: not on X; the test is skipped\n");
    return 0;
  }
  Window.ShownFrame.Picture = gfx::Bitmap(kViewWidth, kViewHeight);
  return RUN_ALL_TESTS();
}
