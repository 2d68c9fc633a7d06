// Pieces of hand-made GIFs; each function's bytes carry a comment per field.
#pragma once

#include <cstdint>
#include <vector>

#include "gif_test_support.h"

namespace gif_test {

// GIF89a header of a width x height screen with a global table of two
// colours: 0 black, 1 white.
Bytes Header(int width, int height);
// The same without a global colour table.
Bytes HeaderWithoutTable(int width, int height);

Bytes GraphicControl(int disposal, bool transparent, int delay, int transparent_index);

constexpr uint8_t kLocalTable2 = 0x80;  // descriptor flag: local table of 2 entries
constexpr uint8_t kInterlaced = 0x40;
Bytes Descriptor(int left, int top, int width, int height, uint8_t flags);

// Image data (minimum code size byte and sub-blocks) that codes pixels as
// roots only: a clear code before every pixel keeps every code at
// min_code_size + 1 bits and defines no entry.
Bytes RootsOnly(int min_code_size, const std::vector<uint8_t>& pixels);

// A 2 x 2 image at (0, 0) of pixels 0 1 / 1 0, with a string code.
Bytes CheckerImage();

const Bytes kTrailer = {0x3B};

}  // namespace gif_test
