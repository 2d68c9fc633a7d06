#include "ui/picture_bitmap.h"

#include <cstring>

namespace {

using picture::PixelFormat;

// The system's icon format version of CreateIconFromResource(Ex).
constexpr DWORD kIconFormatVersion = 0x30000;

// Bytes of one stored row: DIB rows are padded to 4 bytes, the rows of a
// CreateBitmap bitmap to 2.
uint64_t RowBytes(PixelFormat format, int width) {
  switch (format) {
    case PixelFormat::kBgr24:
      return (uint64_t(width) * 24 + 31) / 32 * 4;
    case PixelFormat::kIndexed8:
      return (uint64_t(width) * 8 + 31) / 32 * 4;
    case PixelFormat::kMono:
      return (uint64_t(width) + 15) / 16 * 2;
  }
  return 0;
}

// Copies the picture's tightly packed rows into the padded layout.
void CopyRows(const picture::Picture& picture, size_t stride, uint8_t* rows) {
  const size_t width = size_t(picture.width);
  const size_t packed = width * picture::BytesPerPixel(picture.format);
  for (size_t y = 0; y < size_t(picture.height); ++y) {
    const uint8_t* source = picture.pixels.data() + y * packed;
    uint8_t* target = rows + y * stride;
    if (picture.format != PixelFormat::kMono) {
      std::memcpy(target, source, packed);
      continue;
    }
    for (size_t x = 0; x < width; ++x) {
      if (source[x]) target[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  }
}

}  // namespace

HICON CreateIconFromImage(const picture::IconImage& image) {
  // The calls take a non-const pointer for historic reasons; they only read.
  PBYTE bytes = const_cast<PBYTE>(image.bytes);
  const DWORD size = DWORD(image.size);
  HICON icon = CreateIconFromResourceEx(bytes, size, TRUE, kIconFormatVersion, image.width, image.height,
                                        LR_DEFAULTCOLOR);
  // Some images that the sized call refuses are taken by the plain one,
  // which sizes the icon itself; a 16-bit image it cannot take either.
  if (!icon && image.bit_count != 16) icon = CreateIconFromResource(bytes, size, TRUE, kIconFormatVersion);
  return icon;
}

bool PictureBitmap::Assign(const picture::Picture& picture) {
  Clear();
  if (picture.width <= 0 || picture.height <= 0) return false;
  // The decoders never make more; the sizes below then stay far from any
  // overflow, also with a 32-bit size_t.
  if (uint64_t(picture.width) * uint64_t(picture.height) > picture::kMaxPicturePixels) return false;
  const size_t packed = size_t(picture.width) * size_t(picture.height) * picture::BytesPerPixel(picture.format);
  if (picture.pixels.size() != packed) return false;
  if (picture.format == PixelFormat::kIndexed8 && picture.palette.size() != picture::kPaletteBytes) return false;

  const uint64_t stride = RowBytes(picture.format, picture.width);
  const uint64_t total = stride * uint64_t(picture.height);
  // calloc: the padding and the clear bits of a monochrome row start at 0.
  uint8_t* rows = static_cast<uint8_t*>(std::calloc(size_t(total), 1));
  if (!rows) return false;
  rows_.reset(rows);
  CopyRows(picture, size_t(stride), rows);

  format_ = picture.format;
  width_ = picture.width;
  height_ = picture.height;
  dib_ = DibHeader{};
  BITMAPINFOHEADER& h = dib_.header;
  h.biSize = sizeof h;
  h.biWidth = width_;
  h.biHeight = -height_;  // rows stored top-down, as decoded
  h.biPlanes = 1;
  h.biBitCount = format_ == PixelFormat::kBgr24 ? 24 : format_ == PixelFormat::kIndexed8 ? 8 : 1;
  h.biCompression = BI_RGB;
  h.biSizeImage = DWORD(total);
  if (format_ == PixelFormat::kIndexed8) {
    h.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
      dib_.colours[i].rgbRed = picture.palette[i * 3];
      dib_.colours[i].rgbGreen = picture.palette[i * 3 + 1];
      dib_.colours[i].rgbBlue = picture.palette[i * 3 + 2];
    }
  }
  return true;
}

void PictureBitmap::Clear() {
  rows_.reset();
  format_ = PixelFormat::kBgr24;
  width_ = 0;
  height_ = 0;
}

HBITMAP PictureBitmap::CreateBitmapFor(HDC dc) const {
  if (empty()) return nullptr;
  if (format_ == PixelFormat::kMono) return CreateBitmap(width_, height_, 1, 1, rows_.get());
  return CreateDIBitmap(dc, &dib_.header, CBM_INIT, rows_.get(), reinterpret_cast<const BITMAPINFO*>(&dib_),
                        DIB_RGB_COLORS);
}
