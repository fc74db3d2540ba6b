// Screenshots: the file's name and size, never overwriting, and a failure that leaves
// nothing behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "desktop/screenshot.h"

namespace {

gfx::Bitmap Pattern() {
  gfx::Bitmap b(312, 216);
  for (int y = 0; y < 216; ++y)
    for (int x = 0; x < 312; ++x) b.SetPixel(x, y, gfx::Rgb(x, y, x ^ y));
  return b;
}

TEST(Screenshot, SavedAtTheWholeScaleAsSquaresWithoutOverwriting) {
  QTemporaryDir dir;
  QString folder = dir.filePath("deep/mirovaan");
  QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
  EXPECT_EQ(ScreenshotName(when), "mirovaan-2026-03-04_05-06-07.png");
  gfx::Bitmap frame = Pattern();

  ScreenshotResult first = SaveScreenshot(frame, 3, folder, when);
  ASSERT_TRUE(first.ok) << first.error.toStdString();
  EXPECT_EQ(first.path, folder + "/mirovaan-2026-03-04_05-06-07.png");
  QImage image(first.path);
  ASSERT_EQ(image.size(), QSize(936, 648));
  int bad = 0;
  for (int y = 0; y < 648; y += 2)
    for (int x = 0; x < 936; x += 2) {
      gfx::Color c = frame.Pixel(x / 3, y / 3);
      bad += image.pixel(x, y) != qRgb(c & 255, (c >> 8) & 255, c >> 16);
    }
  EXPECT_EQ(bad, 0);

  // Same second, and a view smaller than twice the frame: a new name, at least x2.
  ScreenshotResult second = SaveScreenshot(frame, 1, folder, when);
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.path, folder + "/mirovaan-2026-03-04_05-06-07-2.png");
  EXPECT_EQ(QImage(second.path).size(), QSize(624, 432));
  EXPECT_EQ(QImage(first.path).size(), QSize(936, 648)) << "the first is kept";
}

TEST(Screenshot, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("mirovaan"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  ScreenshotResult result =
      SaveScreenshot(Pattern(), 2, dir.filePath("mirovaan"), QDateTime::currentDateTime());
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{"mirovaan"});
}

}  // namespace
