// Where decoded pixels go: rows filled left to right, in top-down order or in
// the four-pass order of an interlaced GIF (rows 0, 8, 16...; 4, 12...;
// 2, 6, 10...; 1, 3, 5...).
#pragma once

#include <cstddef>
#include <cstdint>

namespace gif {

struct PixelRows {
  uint8_t* pixels;  // width * height bytes, display order; not owned
  int width, height;
  bool interlaced;
  int pass;    // 0..3 for interlaced images, 4 when all rows are filled
  int row;     // display row being filled
  int column;  // next pixel in that row
  size_t written;  // pixels written so far, in coded order
  bool full;
};

PixelRows StartPixelRows(uint8_t* pixels, int width, int height, bool interlaced);

// Appends up to n pixels in coded order; the rest is dropped once every row
// is filled. Returns how many were stored.
size_t PutPixels(PixelRows& rows, const uint8_t* values, size_t n);

// The position in coded order of display row y (its index among the rows as
// the data sends them).
int CodedRowOf(int y, int height, bool interlaced);

}  // namespace gif
