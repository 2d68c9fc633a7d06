// A decoded still picture as plain pixel data. The preview box turns it into
// a bitmap of the matching kind (24-bit DIB, 8-bit DIB with palette, or a
// monochrome bitmap); nothing here knows about Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace picture {

enum class PixelFormat {
  kBgr24,     // 3 bytes per pixel: blue, green, red
  kIndexed8,  // 1 byte per pixel, an index into palette
  kMono,      // 1 byte per pixel: 0 black, 1 white
};

// Rows run top-down and are tightly packed: a row is width pixels with no
// padding, so pixels holds width * height * BytesPerPixel(format) bytes.
struct Picture {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::kBgr24;
  std::vector<uint8_t> pixels;
  // kIndexed8 only: 256 triples in the order red, green, blue (768 bytes).
  std::vector<uint8_t> palette;
};

// No decoder makes a picture of more pixels than this (8192 x 8192): the
// header numbers of a damaged file must not decide how much is allocated.
constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 26;

constexpr size_t kPaletteBytes = 256 * 3;

inline size_t BytesPerPixel(PixelFormat format) {
  return format == PixelFormat::kBgr24 ? 3 : 1;
}

// Empties the picture (width and height 0, no pixels, no palette).
void ClearPicture(Picture* picture);

// Makes picture a black width x height picture of the given format (an
// all-zero palette for kIndexed8). Returns false, with the picture cleared,
// when a side is not above 0, the size passes kMaxPicturePixels or the memory
// cannot be had.
bool AllocatePicture(Picture* picture, int64_t width, int64_t height, PixelFormat format);

}  // namespace picture
