// The 13-byte GIF header and the global colour table that may follow it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/gif_types.h"

namespace gif {

struct GifHeader {
  int screen_width = 0;   // logical screen, 16-bit field at offset 6
  int screen_height = 0;  // 16-bit field at offset 8
  ColorTable global_colors;  // count 0 when the header announces no table
  size_t data_offset = 0;    // where the blocks start: after header and table
};

// Accepts more than 13 bytes starting with GIF87a or GIF89a, whose global
// colour table (when bit 7 of byte 10 announces one) ends before the bytes
// end. On failure *out is left unchanged.
bool ReadGifHeader(const uint8_t* bytes, size_t size, GifHeader* out);

// Reads count RGB triples from bytes into table; entries past count are black.
void SetColorTable(const uint8_t* bytes, int count, ColorTable* table);

}  // namespace gif
