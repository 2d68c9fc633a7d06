// The variable-width LZW of GIF image data: codes of at most 12 bits, least
// significant bit first, read from the image's data sub-blocks.
#pragma once

#include "gif/pixel_rows.h"
#include "gif/sub_blocks.h"

namespace gif {

enum class LzwStop {
  kEndCode,    // the end-of-information code
  kImageFull,  // every pixel has a value; codes after that are not read
  kDataEnd,    // the sub-blocks ended (zero-length block or end of data) first
  kBadData,    // a minimum code size outside 2..8, or a code not yet defined
};

// Decodes into out until one of the stops above. Whatever was decoded before
// a stop stays in out (out.written says how much).
//
// Odd data, decided once here:
// - Data that does not start with a clear code is read as if it did: the
//   table starts with only the roots.
// - A code above the next free entry, or the next free entry itself right
//   after a clear code (there is no previous string to extend), is bad data.
// - Once all 4096 entries are used, the width stays 12 and no entry is added
//   until a clear code comes (a "deferred clear").
LzwStop DecodeLzw(int min_code_size, SubBlockReader& in, PixelRows& out);

}  // namespace gif
