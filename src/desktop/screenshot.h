// Saving the view as a PNG picture in the user's pictures folder.
#pragma once

#include <QDateTime>
#include <QString>

#include "gfx/bitmap.h"

struct ScreenshotResult {
  bool ok = false;
  QString path;   // the file written, or the one that could not be
  QString error;  // why not, in Japanese
};

// <pictures>/mirovaan: the desktop's pictures folder ($XDG_PICTURES_DIR, else ~/Pictures).
QString ScreenshotFolder();

// "mirovaan-YYYY-MM-DD_hh-mm-ss.png", so the files sort by the time they were taken.
QString ScreenshotName(const QDateTime& when);

// Writes the frame's top-left 312 x 216 enlarged to scale x scale squares (at least 2) into
// folder, creating it when needed. A name taken already gets "-2", "-3", ...; nothing is
// ever overwritten, and a failed write leaves no partial file behind.
ScreenshotResult SaveScreenshot(const gfx::Bitmap& frame, int scale, const QString& folder,
                                const QDateTime& when);
