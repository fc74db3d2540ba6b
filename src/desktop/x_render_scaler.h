// The picture scaled by the X server (its Render extension) instead of by the program: the
// program sends the small frame, only where it changed, and the server writes the device
// pixels, on the graphics card where it has one. At 3840 x 2160 a scaled frame is some 27 MB
// to write, more than the program can write twenty times a second at little cost.
//
// Only whole factors are scaled so, each axis on its own: a scaled pixel then takes the
// source pixel its centre falls on, exactly as the program's own scaling does, and the
// server's fixed-point arithmetic is kept well inside the margin that leaves.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/bitmap.h"

class XRenderScaler {
 public:
  // None unless the program runs on an X server with Render 0.6 or later (transforms and
  // filters) and pixels the program can send as they are (32 bits, 8 bits a colour).
  static std::unique_ptr<XRenderScaler> Open();
  ~XRenderScaler();
  XRenderScaler(const XRenderScaler&) = delete;
  XRenderScaler& operator=(const XRenderScaler&) = delete;

  // Takes the class name (WM_CLASS) off a window inside the program's own: Qt names every
  // window it makes, and tools that look windows up by class (xdotool search --class) should
  // find the program's window, not the inner ones the server draws on.
  void DropClass(uint32_t window);

  // Whether a srcW x srcH picture can be shown at dstW x dstH.
  static bool CanScale(int srcW, int srcH, int dstW, int dstH);

  // The window drawn on from now on; false when it cannot be (then nothing is drawn).
  bool SetWindow(uint32_t window);
  // Forgets the window without freeing what belonged to it: the server freed that with it.
  void WindowGone();
  // The source frame's size and the size it is scaled to (CanScale must hold).
  void Configure(int srcW, int srcH, int dstW, int dstH);
  // Sends the source pixels of box (0x00BBGGRR, rows stride pixels apart, pixels[0] at the
  // frame's top-left).
  void Upload(const gfx::Color* pixels, std::ptrdiff_t stride, const QRect& box);
  // Draws part (in scaled pixels, relative to the picture) at origin + part's top-left.
  void Scale(const QRect& part, QPoint origin);
  void FillBlack(const QRect& area);
  // An RGB32 image at the given place of the window.
  void Put(const QImage& image, QPoint at);
  void Flush();

 private:
  struct Connection;
  explicit XRenderScaler(std::unique_ptr<Connection> connection);
  void FreeSource();
  void FreeWindow();
  void UseTransform(int firstColumn, int firstRow);
  void PutRows(uint32_t drawable, uint32_t gc, const uint8_t* rows, int stride, int w, int h, int x,
               int y);

  std::unique_ptr<Connection> x_;
  uint32_t window_ = 0, windowPicture_ = 0, windowGc_ = 0;
  uint8_t windowDepth_ = 0;
  uint32_t sourcePixmap_ = 0, sourcePicture_ = 0, sourceGc_ = 0;
  int srcW_ = 0, srcH_ = 0, kx_ = 1, ky_ = 1;
  int chunkW_ = 1, chunkH_ = 1;  // source columns and rows one transform may cover
  int transformX_ = -1, transformY_ = -1;
  std::vector<uint32_t> upload_;
};
