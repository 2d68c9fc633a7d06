// Uncompressed Windows bitmaps (BI_RGB; 1, 4, 8, 24 or 32 bits per pixel).
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/picture.h"

namespace picture {

// Decodes a BMP file into a kBgr24 picture of abs(biWidth) x abs(biHeight),
// shown top-down whatever order the rows are stored in. Returns false, with
// out cleared, for anything else: a header shorter than 40 bytes, another
// compression or bit count, a colour table of more than 256 entries or past
// the end of the data, pixel rows starting before the end of the headers and
// colour table, rows missing or cut short, more than kMaxPicturePixels.
// Indices past the colour table show black.
bool DecodeBmp(const uint8_t* data, size_t size, Picture* out);

}  // namespace picture
