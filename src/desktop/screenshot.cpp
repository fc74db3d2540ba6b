#include "desktop/screenshot.h"

#include <QCoreApplication>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "state/window_model.h"

namespace {

QImage FrameImage(const gfx::Bitmap& frame, int scale) {
  QImage image(kViewWidth * scale, kViewHeight * scale, QImage::Format_RGB32);
  image.fill(Qt::black);
  for (int y = 0; y < std::min(kViewHeight, frame.Height()); ++y) {
    const gfx::Color* row = frame.Row(y);
    for (int x = 0; x < std::min(kViewWidth, frame.Width()); ++x) {
      gfx::Color c = row[x];
      QRgb rgb = qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
      for (int dy = 0; dy < scale; ++dy) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y * scale + dy));
        std::fill(line + x * scale, line + (x + 1) * scale, rgb);
      }
    }
  }
  return image;
}

QString FreeName(const QDir& dir, const QString& name) {
  QString base = name.chopped(4);  // without ".png"
  QString candidate = name;
  for (int n = 2; dir.exists(candidate); ++n) candidate = QString("%1-%2.png").arg(base).arg(n);
  return dir.filePath(candidate);
}

}  // namespace

QString ScreenshotFolder() {
  QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (pictures.isEmpty()) pictures = QDir::home().filePath("Pictures");
  return QDir(pictures).filePath("mirovaan");
}

QString ScreenshotName(const QDateTime& when) {
  return "mirovaan-" + when.toString("yyyy-MM-dd_HH-mm-ss") + ".png";
}

ScreenshotResult SaveScreenshot(const gfx::Bitmap& frame, int scale, const QString& folder,
                                const QDateTime& when) {
  ScreenshotResult result;
  QDir dir(folder);
  result.path = dir.filePath(ScreenshotName(when));
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
    result.error = QCoreApplication::translate("Screenshot", "フォルダーを作れませんでした: %1").arg(folder);
    return result;
  }
  result.path = FreeName(dir, ScreenshotName(when));
  QSaveFile file(result.path);
  if (!file.open(QIODevice::WriteOnly)) {
    result.error = QCoreApplication::translate("Screenshot", "ファイルを開けませんでした (%1)").arg(file.errorString());
    return result;
  }
  QImageWriter writer(&file, "png");
  if (!writer.write(FrameImage(frame, std::max(2, scale)))) {
    result.error = QCoreApplication::translate("Screenshot", "画像を書き込めませんでした (%1)").arg(writer.errorString());
    file.cancelWriting();
    return result;
  }
  if (!file.commit()) {
    result.error = QCoreApplication::translate("Screenshot", "ファイルを保存できませんでした (%1)").arg(file.errorString());
    return result;
  }
  result.ok = true;
  return result;
}
