#include "desktop/x_render_scaler.h"

#include <algorithm>
#include <cstdlib>

#ifdef MIROVAAN_X_RENDER
#include <xcb/render.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#endif

namespace {

constexpr int kFixedOne = 65536;  // Render's numbers are 16.16 fixed point
// The largest factor offered to the server: beyond it a transform covers too few source
// pixels for the scaling to stay exact.
constexpr int kLargestFactor = 128;

// Source pixels one transform may cover along an axis scaled by k. The server steps by
// round(65536 / k), off by at most half a unit a scaled pixel, plus a unit or two of
// rounding at the start; a scaled pixel's centre lies at least 32768 / k units from the
// edges of its source pixel. Half of what that allows is taken, for servers that round
// otherwise.
int ChunkFor(int k) { return (kFixedOne - 8 * k) / (4 * k * k); }

}  // namespace

bool XRenderScaler::CanScale(int srcW, int srcH, int dstW, int dstH) {
  if (srcW <= 0 || srcH <= 0 || dstW < srcW || dstH < srcH) return false;
  if (dstW % srcW != 0 || dstH % srcH != 0) return false;
  int kx = dstW / srcW, ky = dstH / srcH;
  return kx <= kLargestFactor && ky <= kLargestFactor && ChunkFor(kx) >= 1 && ChunkFor(ky) >= 1 &&
         dstW <= 32767 && dstH <= 32767;
}

#ifndef MIROVAAN_X_RENDER

struct XRenderScaler::Connection {};
std::unique_ptr<XRenderScaler> XRenderScaler::Open() { return nullptr; }
XRenderScaler::XRenderScaler(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {}
XRenderScaler::~XRenderScaler() = default;
bool XRenderScaler::SetWindow(uint32_t) { return false; }
void XRenderScaler::DropClass(uint32_t) {}
void XRenderScaler::WindowGone() {}
void XRenderScaler::Configure(int, int, int, int) {}
void XRenderScaler::Upload(const gfx::Color*, std::ptrdiff_t, const QRect&) {}
void XRenderScaler::Scale(const QRect&, QPoint) {}
void XRenderScaler::FillBlack(const QRect&) {}
void XRenderScaler::Put(const QImage&, QPoint) {}
void XRenderScaler::Flush() {}

#else

struct XRenderScaler::Connection {
  xcb_connection_t* c = nullptr;
  xcb_render_query_pict_formats_reply_t* formats = nullptr;
  xcb_render_pictformat_t rgb24 = 0;  // 8 bits a colour, red highest, no alpha
  xcb_window_t root = 0;
  ~Connection() { std::free(formats); }
};

namespace {

// A format whose pixels are the program's 0x00RRGGBB words as they are.
bool IsRgb(const xcb_render_pictforminfo_t& f) {
  const xcb_render_directformat_t& d = f.direct;
  return f.type == XCB_RENDER_PICT_TYPE_DIRECT && (f.depth == 24 || f.depth == 32) &&
         d.red_shift == 16 && d.red_mask == 0xFF && d.green_shift == 8 && d.green_mask == 0xFF &&
         d.blue_shift == 0 && d.blue_mask == 0xFF;
}

const xcb_render_pictforminfo_t* FormatInfo(const xcb_render_query_pict_formats_reply_t* r,
                                            xcb_render_pictformat_t id) {
  for (auto it = xcb_render_query_pict_formats_formats_iterator(r); it.rem;
       xcb_render_pictforminfo_next(&it))
    if (it.data->id == id) return it.data;
  return nullptr;
}

xcb_render_pictformat_t FormatOfVisual(const xcb_render_query_pict_formats_reply_t* r,
                                       xcb_visualid_t visual) {
  for (auto s = xcb_render_query_pict_formats_screens_iterator(r); s.rem;
       xcb_render_pictscreen_next(&s))
    for (auto d = xcb_render_pictscreen_depths_iterator(s.data); d.rem;
         xcb_render_pictdepth_next(&d))
      for (auto v = xcb_render_pictdepth_visuals_iterator(d.data); v.rem;
           xcb_render_pictvisual_next(&v))
        if (v.data->visual == visual) return v.data->format;
  return 0;
}

// The server takes 32-bit pixels for depth 24, in this machine's byte order.
bool SendsPixelsAsTheyAre(xcb_connection_t* c) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (setup->image_byte_order != (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
                                      ? XCB_IMAGE_ORDER_LSB_FIRST
                                      : XCB_IMAGE_ORDER_MSB_FIRST))
    return false;
  bool depth24 = false, depth32 = true;
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
    if (it.data->depth == 24) depth24 = it.data->bits_per_pixel == 32;
    if (it.data->depth == 32) depth32 = it.data->bits_per_pixel == 32;
  }
  return depth24 && depth32;
}

// The program's 0x00BBGGRR pixels as the server's 0x00RRGGBB.
void SwapRedAndBlue(const gfx::Color* in, uint32_t* out, int n) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i green = _mm_set1_epi32(0x0000FF00), low = _mm_set1_epi32(0x000000FF);
  for (; i + 4 <= n; i += 4) {
    __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    __m128i red = _mm_slli_epi32(_mm_and_si128(p, low), 16);
    __m128i blue = _mm_and_si128(_mm_srli_epi32(p, 16), low);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                     _mm_or_si128(_mm_or_si128(red, blue), _mm_and_si128(p, green)));
  }
#endif
  for (; i < n; ++i) {
    gfx::Color p = in[i];
    out[i] = ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  }
}

}  // namespace

std::unique_ptr<XRenderScaler> XRenderScaler::Open() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  auto x = std::make_unique<Connection>();
  x->c = x11->connection();
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x->c, &xcb_render_id);
  if (!ext || !ext->present || !SendsPixelsAsTheyAre(x->c)) return nullptr;
  auto* version =
      xcb_render_query_version_reply(x->c, xcb_render_query_version(x->c, 0, 11), nullptr);
  bool recent = version && (version->major_version > 0 || version->minor_version >= 6);
  std::free(version);
  if (!recent) return nullptr;
  x->formats =
      xcb_render_query_pict_formats_reply(x->c, xcb_render_query_pict_formats(x->c), nullptr);
  if (!x->formats) return nullptr;
  for (auto it = xcb_render_query_pict_formats_formats_iterator(x->formats); it.rem;
       xcb_render_pictforminfo_next(&it))
    if (IsRgb(*it.data) && it.data->depth == 24 && it.data->direct.alpha_mask == 0)
      x->rgb24 = it.data->id;
  if (!x->rgb24) return nullptr;
  return std::unique_ptr<XRenderScaler>(new XRenderScaler(std::move(x)));
}

XRenderScaler::XRenderScaler(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {}

XRenderScaler::~XRenderScaler() {
  FreeSource();
  FreeWindow();
  xcb_flush(x_->c);
}

void XRenderScaler::FreeSource() {
  if (sourcePicture_) xcb_render_free_picture(x_->c, sourcePicture_);
  if (sourceGc_) xcb_free_gc(x_->c, sourceGc_);
  if (sourcePixmap_) xcb_free_pixmap(x_->c, sourcePixmap_);
  sourcePicture_ = sourceGc_ = sourcePixmap_ = 0;
  srcW_ = srcH_ = 0;
}

void XRenderScaler::FreeWindow() {
  if (windowPicture_) xcb_render_free_picture(x_->c, windowPicture_);
  if (windowGc_) xcb_free_gc(x_->c, windowGc_);
  WindowGone();
}

void XRenderScaler::WindowGone() { window_ = windowPicture_ = windowGc_ = 0; }

bool XRenderScaler::SetWindow(uint32_t window) {
  if (window == window_ && windowPicture_) return true;
  FreeWindow();
  xcb_connection_t* c = x_->c;
  auto* attributes =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
  auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  xcb_render_pictformat_t format = attributes ? FormatOfVisual(x_->formats, attributes->visual) : 0;
  const xcb_render_pictforminfo_t* info = format ? FormatInfo(x_->formats, format) : nullptr;
  bool usable = geometry && info && IsRgb(*info) && info->depth == geometry->depth;
  if (usable) {
    if (x_->root && x_->root != geometry->root) FreeSource();  // another screen
    x_->root = geometry->root;
    windowDepth_ = geometry->depth;
  }
  std::free(attributes);
  std::free(geometry);
  if (!usable) return false;
  window_ = window;
  windowPicture_ = xcb_generate_id(c);
  xcb_render_create_picture(c, windowPicture_, window, format, 0, nullptr);
  windowGc_ = xcb_generate_id(c);
  xcb_create_gc(c, windowGc_, window, 0, nullptr);
  return true;
}

void XRenderScaler::Configure(int srcW, int srcH, int dstW, int dstH) {
  xcb_connection_t* c = x_->c;
  if ((srcW != srcW_ || srcH != srcH_) && x_->root) {
    FreeSource();
    srcW_ = srcW;
    srcH_ = srcH;
    sourcePixmap_ = xcb_generate_id(c);
    xcb_create_pixmap(c, 24, sourcePixmap_, x_->root, srcW, srcH);
    sourceGc_ = xcb_generate_id(c);
    xcb_create_gc(c, sourceGc_, sourcePixmap_, 0, nullptr);
    sourcePicture_ = xcb_generate_id(c);
    xcb_render_create_picture(c, sourcePicture_, sourcePixmap_, x_->rgb24, 0, nullptr);
    // The nearest source pixel, never a blend: the picture's pixels stay whole squares.
    static const char kNearest[] = "nearest";
    xcb_render_set_picture_filter(c, sourcePicture_, sizeof kNearest - 1, kNearest, 0, nullptr);
  }
  kx_ = std::max(1, dstW / std::max(1, srcW));
  ky_ = std::max(1, dstH / std::max(1, srcH));
  chunkW_ = std::max(1, ChunkFor(kx_));
  chunkH_ = std::max(1, ChunkFor(ky_));
  transformX_ = transformY_ = -1;
}

void XRenderScaler::PutRows(uint32_t drawable, uint32_t gc, const uint8_t* rows, int stride, int w,
                            int h, int x, int y) {
  xcb_connection_t* c = x_->c;
  // Each request within the server's limit (in 4-byte units), its header included.
  size_t limit = static_cast<size_t>(xcb_get_maximum_request_length(c)) * 4 - 64;
  size_t rowBytes = static_cast<size_t>(w) * 4;
  int perRequest = static_cast<int>(std::max<size_t>(1, limit / rowBytes));
  uint8_t depth = drawable == window_ ? windowDepth_ : 24;
  for (int top = 0; top < h; top += perRequest) {
    int n = std::min(perRequest, h - top);
    const uint8_t* first = rows + static_cast<std::ptrdiff_t>(top) * stride;
    if (stride == static_cast<int>(rowBytes)) {
      xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, w, n, x, y + top, 0, depth,
                    rowBytes * n, first);
    } else {
      for (int r = 0; r < n; ++r)
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, w, 1, x, y + top + r, 0, depth,
                      rowBytes, first + static_cast<std::ptrdiff_t>(r) * stride);
    }
  }
}

void XRenderScaler::Upload(const gfx::Color* pixels, std::ptrdiff_t stride, const QRect& box) {
  QRect part = box & QRect(0, 0, srcW_, srcH_);
  if (part.isEmpty() || !sourcePixmap_) return;
  upload_.resize(static_cast<size_t>(part.width()) * part.height());
  uint32_t* out = upload_.data();
  for (int y = part.top(); y <= part.bottom(); ++y, out += part.width())
    SwapRedAndBlue(pixels + y * stride + part.x(), out, part.width());
  PutRows(sourcePixmap_, sourceGc_, reinterpret_cast<const uint8_t*>(upload_.data()),
          part.width() * 4, part.width(), part.height(), part.x(), part.y());
}

// The transform for the chunk whose first source pixel is (firstColumn, firstRow): the
// chunk's own scaled coordinates are taken back to source pixels from there, so the
// server's rounding never adds up over more than a chunk.
void XRenderScaler::UseTransform(int firstColumn, int firstRow) {
  if (firstColumn == transformX_ && firstRow == transformY_) return;
  transformX_ = firstColumn;
  transformY_ = firstRow;
  auto step = [](int k) { return static_cast<int32_t>((kFixedOne + k / 2) / k); };
  xcb_render_transform_t t{};
  t.matrix11 = step(kx_);
  t.matrix13 = firstColumn * kFixedOne;
  t.matrix22 = step(ky_);
  t.matrix23 = firstRow * kFixedOne;
  t.matrix33 = kFixedOne;
  xcb_render_set_picture_transform(x_->c, sourcePicture_, t);
}

void XRenderScaler::Scale(const QRect& part, QPoint origin) {
  if (!windowPicture_ || !sourcePicture_) return;
  QRect scaled = part & QRect(0, 0, srcW_ * kx_, srcH_ * ky_);
  if (scaled.isEmpty()) return;
  int spanW = chunkW_ * kx_, spanH = chunkH_ * ky_;  // a chunk in scaled pixels
  for (int cy = scaled.top() / spanH * spanH; cy <= scaled.bottom(); cy += spanH) {
    for (int cx = scaled.left() / spanW * spanW; cx <= scaled.right(); cx += spanW) {
      QRect piece = scaled & QRect(cx, cy, spanW, spanH);
      if (piece.isEmpty()) continue;
      UseTransform(cx / kx_, cy / ky_);
      xcb_render_composite(x_->c, XCB_RENDER_PICT_OP_SRC, sourcePicture_, XCB_NONE, windowPicture_,
                           piece.x() - cx, piece.y() - cy, 0, 0, origin.x() + piece.x(),
                           origin.y() + piece.y(), piece.width(), piece.height());
    }
  }
}

void XRenderScaler::FillBlack(const QRect& area) {
  if (!windowPicture_ || area.isEmpty()) return;
  xcb_rectangle_t r{static_cast<int16_t>(area.x()), static_cast<int16_t>(area.y()),
                    static_cast<uint16_t>(area.width()), static_cast<uint16_t>(area.height())};
  xcb_render_fill_rectangles(x_->c, XCB_RENDER_PICT_OP_SRC, windowPicture_,
                             xcb_render_color_t{0, 0, 0, 0xFFFF}, 1, &r);
}

void XRenderScaler::Put(const QImage& image, QPoint at) {
  if (!windowPicture_ || image.isNull()) return;
  QImage rgb =
      image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  PutRows(window_, windowGc_, rgb.constBits(), static_cast<int>(rgb.bytesPerLine()), rgb.width(),
          rgb.height(), at.x(), at.y());
}

void XRenderScaler::Flush() { xcb_flush(x_->c); }

void XRenderScaler::DropClass(uint32_t window) {
  xcb_delete_property(x_->c, window, XCB_ATOM_WM_CLASS);
}

#endif
