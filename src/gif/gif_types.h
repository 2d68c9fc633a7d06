// Plain data shared by the GIF reader and the compositor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif {

struct Rgb {
  uint8_t r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// A colour table as read from the file. All 256 entries are always valid to
// index: entries at or past count are black, so an index that the table does
// not cover shows black instead of reading outside the table.
struct ColorTable {
  Rgb colors[256];
  int count = 0;
};

// The values of the last graphic control extension read. They are not reset
// between images: an image without its own extension keeps the values of the
// last one read, also across the wrap back to the first image.
struct GraphicControl {
  int disposal = 0;           // bits 2 to 4 of the packed byte
  bool transparent = false;   // bit 0 of the packed byte
  int delay = 0;              // hundredths of a second
  int transparent_index = 0;  // 0..255
};

// One decoded image, of its own size, as its descriptor placed it on the
// logical screen.
struct GifImage {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  ColorTable colors;  // the local table, else the global one, else the default
  // width * height palette indexes, top-down rows in display order (already
  // de-interlaced). Pixels that were not decoded hold 0; see DecodedColumns.
  std::vector<uint8_t> pixels;
  // How many pixels were decoded, counted in the order the data codes them
  // (pass order for an interlaced image). Less than width * height when the
  // data ended early or was bad.
  size_t decoded = 0;
  // Copied from the graphic control values when the image was read.
  bool transparent = false;
  int transparent_index = 0;
  Rgb transparent_color = {255, 255, 255};  // colors.colors[transparent_index] when transparent
  int disposal = 0;
  int delay = 0;
};

}  // namespace gif
