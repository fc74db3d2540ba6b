// Reading Windows bitmap files. Every read goes through a bounds-checked view of the input,
// and every size taken from the file is checked before it is used to allocate or index,
// so a damaged or hostile file is refused with a message instead of being trusted.
#include "base/little_endian.h"
#include "gfx/bmp.h"
#include "gfx/image.h"
#include "platform/files.h"
#include "platform/language.h"

namespace gfx {
namespace {

constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{1} << 25;  // 32 Mpixel, 128 MB decoded
constexpr int64_t kMaxFileBytes = kMaxPixels * 4 + 65536;
// Headers, masks and the largest colour table, with room for writers that leave a gap.
constexpr size_t kHeaderRoom = 65536;

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitfields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitfields = 6,
};

using base::ReadLe16;
using base::ReadLe32;

std::string Num(int64_t v) { return std::to_string(v); }

// What is wrong with a picture, as the player is told.
constexpr Bilingual kEndsInHeader = {"ヘッダーの途中でファイルが終わっています（{0} バイト）",
                                     "The file ends inside its header ({0} bytes)"};
constexpr Bilingual kUnknownHeader = {"対応していないヘッダーです（{0} バイト）",
                                      "The header is of an unsupported kind ({0} bytes)"};
constexpr Bilingual kNoPixels = {"画素がありません（{0} x {1}）", "The picture has no pixels ({0} x {1})"};
constexpr Bilingual kTooLarge = {"画像が大きすぎます（{0} x {1}）", "The picture is too large ({0} x {1})"};
constexpr Bilingual kUnknownDepth = {"対応していない色数です（{0} ビット）",
                                     "The colour depth is not supported ({0} bits)"};
constexpr Bilingual kRle8Only = {"RLE8 圧縮は 8 ビットの画像だけのものです（{0} ビット）",
                                 "RLE8 compression is for 8-bit pictures only ({0} bits)"};
constexpr Bilingual kRle4Only = {"RLE4 圧縮は 4 ビットの画像だけのものです（{0} ビット）",
                                 "RLE4 compression is for 4-bit pictures only ({0} bits)"};
constexpr Bilingual kBitFieldsOnly = {"ビットフィールドは 16 か 32 ビットの画像だけのものです（{0} ビット）",
                                      "Bit fields are for 16- or 32-bit pictures only ({0} bits)"};
constexpr Bilingual kUnknownCompression = {"分からない圧縮形式です（{0}）",
                                           "Unknown compression ({0})"};
constexpr Bilingual kWrongSize = {"大きさが {0} x {1} ではありません（このファイルは {2} x {3}）",
                                  "The picture is not {0} x {1} (this file is {2} x {3})"};
constexpr Bilingual kShortPixels = {
    "画素データが足りません（位置 {0} から {1} バイト必要ですが {2} バイトしかありません）",
    "The pixel data is short ({1} bytes are needed from offset {0}, but only {2} are there)"};
constexpr Bilingual kPixelsInHeader = {"画素データの位置 {0} がヘッダーの中にあります",
                                       "The pixel data's offset {0} lies inside the header"};
constexpr Bilingual kPixelsOutside = {"画素データの位置 {0} がファイルの外にあります（{1} バイト）",
                                      "The pixel data's offset {0} lies outside the file ({1} bytes)"};
constexpr Bilingual kRowOverrun = {"圧縮データが {0} 行目の終わりを超えています",
                                   "The compressed data runs past the end of row {0}"};
constexpr Bilingual kCannotRead = {"画像ファイルを読み込めません：{0}\n{1}",
                                   "Cannot read the picture file {0}\n{1}"};
constexpr Bilingual kDamaged = {"画像ファイルが壊れています：{0}\n{1}",
                                "The picture file is damaged: {0}\n{1}"};


// One colour channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    max = m >> shift;
  }
  uint32_t Get(uint32_t px) const {
    if (!max) return 0;
    uint32_t v = (px & mask) >> shift;
    return static_cast<uint32_t>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
  }
};

struct Header {
  uint32_t headerSize = 0;
  int width = 0;
  int height = 0;  // always positive here
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t imageSize = 0;
  uint32_t coloursUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
  bool core = false;
};

class Decoder {
 public:
  Decoder(const uint8_t* data, size_t size, BmpSize expected)
      : data_(data), size_(size), expected_(expected) {}

  bool Run(Bitmap& out, std::string& error) {
    // Everything the headers claim is checked against the file before the picture is
    // allocated, so a small file cannot make us reserve memory for pixels it does not hold.
    if (!ReadHeaders() || !CheckExpectedSize() || !CheckPixelOffset() || !ReadPalette() ||
        !CheckPlainDataPresent()) {
      error = error_;
      return false;
    }
    Bitmap image(h_.width, h_.height, kBlack);
    bool ok = false;
    switch (h_.compression) {
      case kRle8: ok = DecodeRle(image, 8); break;
      case kRle4: ok = DecodeRle(image, 4); break;
      default: ok = DecodePlain(image); break;
    }
    if (!ok) {
      error = error_;
      return false;
    }
    out = std::move(image);
    return true;
  }

 private:
  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }
  bool Have(size_t offset, size_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }

  bool ReadHeaders() {
    if (size_ < 2 || data_[0] != 'B' || data_[1] != 'M')
      return Fail(Pick({"ビットマップファイルではありません（先頭が BM ではありません）",
                          "It is not a bitmap file (it does not begin with BM)"}));
    if (!Have(0, 18)) return Fail(Say(kEndsInHeader, {Num(size_)}));
    pixelOffset_ = ReadLe32(data_ + 10);
    h_.headerSize = ReadLe32(data_ + 14);
    const uint32_t hs = h_.headerSize;
    if (hs != 12 && hs != 40 && hs != 52 && hs != 56 && hs != 108 && hs != 124)
      return Fail(Say(kUnknownHeader, {Num(hs)}));
    if (!Have(14, hs)) return Fail(Say(kEndsInHeader, {Num(size_)}));
    const uint8_t* p = data_ + 14;
    int64_t width, height;
    if (hs == 12) {
      h_.core = true;
      width = ReadLe16(p + 4);
      height = ReadLe16(p + 6);
      h_.bits = static_cast<int>(ReadLe16(p + 10));
    } else {
      width = base::ReadLeSigned32(p + 4);
      height = base::ReadLeSigned32(p + 8);
      h_.bits = static_cast<int>(ReadLe16(p + 14));
      h_.compression = ReadLe32(p + 16);
      h_.imageSize = ReadLe32(p + 20);
      h_.coloursUsed = ReadLe32(p + 32);
    }
    if (height < 0) {
      h_.topDown = true;
      height = -height;
    }
    if (width <= 0 || height <= 0)
      return Fail(Say(kNoPixels, {Num(width), Num(height)}));
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
      return Fail(Say(kTooLarge, {Num(width), Num(height)}));
    h_.width = static_cast<int>(width);
    h_.height = static_cast<int>(height);
    return CheckFormat() && ReadMasks();
  }

  bool CheckFormat() {
    const int b = h_.bits;
    switch (h_.compression) {
      case kRgb:
        if (b != 1 && b != 2 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
          return Fail(Say(kUnknownDepth, {Num(b)}));
        if (h_.core && b != 1 && b != 4 && b != 8 && b != 24)
          return Fail(Say(kUnknownDepth, {Num(b)}));
        return true;
      case kRle8:
        if (b != 8) return Fail(Say(kRle8Only, {Num(b)}));
        return true;
      case kRle4:
        if (b != 4) return Fail(Say(kRle4Only, {Num(b)}));
        return true;
      case kBitfields:
      case kAlphaBitfields:
        if (b != 16 && b != 32)
          return Fail(Say(kBitFieldsOnly, {Num(b)}));
        return true;
      case kJpeg: return Fail(Pick({"JPEG 圧縮のビットマップには対応していません",
                          "Bitmaps compressed as JPEG are not supported"}));
      case kPng: return Fail(Pick({"PNG 圧縮のビットマップには対応していません",
                          "Bitmaps compressed as PNG are not supported"}));
      default: return Fail(Say(kUnknownCompression, {Num(h_.compression)}));
    }
  }

  bool ReadMasks() {
    paletteStart_ = 14 + h_.headerSize;
    if (h_.compression == kBitfields || h_.compression == kAlphaBitfields) {
      // A plain info header keeps the masks just after it; the later headers hold them.
      size_t at = 14 + 40;
      if (h_.headerSize == 40) {
        size_t n = h_.compression == kAlphaBitfields ? 16 : 12;
        if (!Have(at, n)) return Fail(Pick({"色のマスクの途中でファイルが終わっています",
                          "The file ends inside the colour masks"}));
        paletteStart_ += n;
      }
      for (int i = 0; i < 3; ++i) h_.masks[i] = ReadLe32(data_ + at + 4 * i);
    } else if (h_.bits == 16) {
      h_.masks[0] = 0x7C00;
      h_.masks[1] = 0x03E0;
      h_.masks[2] = 0x001F;
    } else if (h_.bits == 32) {
      h_.masks[0] = 0xFF0000;
      h_.masks[1] = 0x00FF00;
      h_.masks[2] = 0x0000FF;
    }
    return true;
  }

  bool ReadPalette() {
    if (h_.bits > 8) return true;
    const size_t entry = h_.core ? 3 : 4;
    size_t count = size_t{1} << h_.bits;
    if (!h_.core && h_.coloursUsed != 0 && h_.coloursUsed < count) count = h_.coloursUsed;
    // Some writers store fewer entries than they claim; the pixel offset bounds the table.
    size_t fit = (pixelOffset_ - paletteStart_) / entry;
    if (fit < count) count = fit;
    if (count == 0) return Fail(Pick({"カラーテーブルがありません",
                          "There is no colour table"}));
    palette_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* q = data_ + paletteStart_ + i * entry;
      palette_[i] = Rgb(q[2], q[1], q[0]);
    }
    return true;
  }

  bool CheckExpectedSize() {
    if (expected_.Width == 0 || (h_.width == expected_.Width && h_.height == expected_.Height))
      return true;
    return Fail(Say(kWrongSize, {Num(expected_.Width), Num(expected_.Height), Num(h_.width),
                           Num(h_.height)}));
  }

  int64_t PlainStride() const { return (static_cast<int64_t>(h_.width) * h_.bits + 31) / 32 * 4; }

  bool CheckPlainDataPresent() {
    if (h_.compression == kRle8 || h_.compression == kRle4) return true;
    const int64_t need = PlainStride() * h_.height;  // editors always pad the last row too
    if (static_cast<int64_t>(size_ - pixelOffset_) < need)
      return Fail(Say(kShortPixels, {Num(pixelOffset_), Num(need), Num(size_ - pixelOffset_)}));
    return true;
  }

  bool CheckPixelOffset() {
    if (pixelOffset_ < paletteStart_)
      return Fail(Say(kPixelsInHeader, {Num(pixelOffset_)}));
    if (pixelOffset_ >= size_)
      return Fail(Say(kPixelsOutside, {Num(pixelOffset_), Num(size_)}));
    return true;
  }

  Color PaletteColour(uint32_t index) const {
    return index < palette_.size() ? palette_[index] : kBlack;  // a missing entry reads as black
  }

  // Pixels in a row including its padding to 32 bits.
  int64_t PaddedWidth() const {
    return (static_cast<int64_t>(h_.width) * h_.bits + 31) / 32 * 32 / h_.bits;
  }

  int RowOf(int fileRow) const { return h_.topDown ? fileRow : h_.height - 1 - fileRow; }

  bool DecodePlain(Bitmap& image) {
    const int64_t stride = PlainStride();
    const Channel r(h_.masks[0]), g(h_.masks[1]), b(h_.masks[2]);
    for (int fr = 0; fr < h_.height; ++fr) {
      const uint8_t* src = data_ + pixelOffset_ + stride * fr;
      Color* dst = image.Row(RowOf(fr));
      const int w = h_.width;
      switch (h_.bits) {
        case 1:
        case 2:
        case 4:
        case 8: {
          const int bits = h_.bits, perByte = 8 / bits, mask = (1 << bits) - 1;
          for (int x = 0; x < w; ++x) {
            int shift = 8 - bits * (x % perByte + 1);
            dst[x] = PaletteColour((src[x / perByte] >> shift) & mask);
          }
          break;
        }
        case 16:
          for (int x = 0; x < w; ++x) {
            uint32_t px = ReadLe16(src + 2 * x);
            dst[x] = Rgb(r.Get(px), g.Get(px), b.Get(px));
          }
          break;
        case 24:
          for (int x = 0; x < w; ++x) dst[x] = Rgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        case 32:
          for (int x = 0; x < w; ++x) {
            uint32_t px = ReadLe32(src + 4 * x);
            dst[x] = Rgb(r.Get(px), g.Get(px), b.Get(px));
          }
          break;
      }
    }
    return true;
  }

  // Run-length data: pairs of (count, index) and escapes (0,0 end of line; 0,1 end of
  // bitmap; 0,2,dx,dy move; 0,n followed by n literal indices padded to 16 bits). Pixels
  // the data never reaches stay black.
  bool DecodeRle(Bitmap& image, int bits) {
    size_t pos = pixelOffset_;
    size_t end = size_;
    if (h_.imageSize != 0 && h_.imageSize < end - pos) end = pos + h_.imageSize;
    int x = 0, row = 0;  // row counts file rows from the first stored one
    // Some writers (ImageMagick among them) run the last pixels of a row on into the
    // row's padding; those pixels are dropped, as Windows drops them.
    auto put = [&](uint32_t index) {
      if (x < h_.width) image.Row(RowOf(row))[x] = PaletteColour(index);
      ++x;
    };
    auto room = [&](int64_t n) -> bool {
      if (row >= h_.height)
        return Fail(Pick({"圧縮データが画像の最後の行を超えています",
                          "The compressed data runs past the last row of the picture"}));
      if (x + n > PaddedWidth())
        return Fail(Say(kRowOverrun, {Num(row)}));
      return true;
    };
    while (true) {
      if (end - pos < 2) return Fail(Pick({"圧縮データが終わりの印なしに終わっています",
                          "The compressed data ends without its end mark"}));
      const uint8_t a = data_[pos], b = data_[pos + 1];
      pos += 2;
      if (a > 0) {
        if (!room(a)) return false;
        for (int i = 0; i < a; ++i)
          put(bits == 8 ? b : (i % 2 == 0 ? b >> 4 : b & 15));
        continue;
      }
      switch (b) {
        case 0:  // end of line
          x = 0;
          ++row;
          break;
        case 1:  // end of bitmap
          return true;
        case 2: {  // move right dx, up (forward in file order) dy
          if (end - pos < 2) return Fail(Pick({"圧縮データが終わりの印なしに終わっています",
                          "The compressed data ends without its end mark"}));
          x += data_[pos];
          row += data_[pos + 1];
          pos += 2;
          if (x > h_.width || row > h_.height)
            return Fail(Pick({"圧縮データの移動が画像の外に出ています",
                          "A move in the compressed data leaves the picture"}));
          break;
        }
        default: {  // literal run of b indices
          const size_t bytes = bits == 8 ? b : (b + 1) / 2;
          const size_t padded = (bytes + 1) & ~size_t{1};
          if (end - pos < padded) return Fail(Pick({"圧縮データが終わりの印なしに終わっています",
                          "The compressed data ends without its end mark"}));
          if (!room(b)) return false;
          for (int i = 0; i < b; ++i) {
            uint8_t v = data_[pos + (bits == 8 ? i : i / 2)];
            put(bits == 8 ? v : (i % 2 == 0 ? v >> 4 : v & 15));
          }
          pos += padded;
          break;
        }
      }
    }
  }

  const uint8_t* data_;
  size_t size_;
  size_t pixelOffset_ = 0;
  size_t paletteStart_ = 0;
  Header h_;
  std::vector<Color> palette_;
  BmpSize expected_;
  std::string error_;
};

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Bitmap& out, std::string& error,
               BmpSize expected) {
  if (!data) size = 0;
  return Decoder(data, size, expected).Run(out, error);
}

Bitmap LoadBmpFile(const std::string& path, BmpSize expected) {
  // A picture of a known size needs at most four bytes a pixel and its headers; bytes past
  // that are never pixels of it and are not read.
  size_t limit = expected.Width > 0
                     ? static_cast<size_t>(expected.Width) * expected.Height * 4 + kHeaderRoom
                     : static_cast<size_t>(kMaxFileBytes);
  auto excess = expected.Width > 0 ? platform::Excess::Ignore : platform::Excess::Refuse;
  std::vector<uint8_t> bytes;
  if (auto read = platform::ReadRegularFile(path, limit, excess, bytes); !read)
    throw FileError(Say(kCannotRead, {path, read.Reason}));
  Bitmap image;
  std::string error;
  if (!DecodeBmp(bytes.data(), bytes.size(), image, error, expected))
    throw FileError(Say(kDamaged, {path, error}));
  return image;
}

void TImage::LoadFromFile(const std::string& path, BmpSize expected) {
  Picture = LoadBmpFile(path, expected);
}

}  // namespace gfx
