#include "gif/pixel_rows.h"

#include <cstring>

namespace gif {

namespace {
constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

int RowsInPass(int pass, int height) {
  const int start = kPassStart[pass];
  return height > start ? (height - start + kPassStep[pass] - 1) / kPassStep[pass] : 0;
}

// Moves to the next row to fill; sets full after the last one.
void NextRow(PixelRows& r) {
  r.column = 0;
  if (!r.interlaced) {
    if (++r.row >= r.height) r.full = true;
    return;
  }
  r.row += kPassStep[r.pass];
  while (r.row >= r.height) {
    if (++r.pass == 4) {
      r.full = true;
      return;
    }
    r.row = kPassStart[r.pass];
  }
}
}  // namespace

PixelRows StartPixelRows(uint8_t* pixels, int width, int height, bool interlaced) {
  PixelRows r{pixels, width, height, interlaced, 0, 0, 0, 0, width <= 0 || height <= 0};
  return r;
}

size_t PutPixels(PixelRows& r, const uint8_t* values, size_t n) {
  size_t stored = 0;
  while (stored < n && !r.full) {
    const size_t room = static_cast<size_t>(r.width - r.column);
    const size_t take = n - stored < room ? n - stored : room;
    std::memcpy(r.pixels + static_cast<size_t>(r.row) * r.width + r.column, values + stored, take);
    stored += take;
    r.column += static_cast<int>(take);
    if (r.column == r.width) NextRow(r);
  }
  r.written += stored;
  return stored;
}

int CodedRowOf(int y, int height, bool interlaced) {
  if (!interlaced) return y;
  int pass = 3;
  if (y % 8 == 0) {
    pass = 0;
  } else if (y % 8 == 4) {
    pass = 1;
  } else if (y % 4 == 2) {
    pass = 2;
  }
  int before = 0;
  for (int p = 0; p < pass; ++p) before += RowsInPass(p, height);
  return before + (y - kPassStart[pass]) / kPassStep[pass];
}

}  // namespace gif
