// One image: its descriptor, its colour table and its LZW-coded pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/gif_types.h"

namespace gif {

// Larger images are read as images of size 0 (nothing to draw), so that a
// hostile descriptor cannot make us allocate more than this many bytes.
constexpr uint64_t kMaxImagePixels = uint64_t{1} << 26;

enum class ImageEnd {
  kNoImage,   // the data ended inside the descriptor: there is no image
  kComplete,  // *position is after the image's data; parsing can go on
  // The data ended inside the colour table or the pixel data: *out holds what
  // was decoded and *position is the end of the data.
  kDataEnded,
};

// *position is at the 2C hex that starts an image descriptor.
//
// A GIF with neither a global nor a local colour table gets a default table of
// two entries, black and white, so that the common two-colour case looks
// right; every other index shows black, like any index past a table's end.
//
// Pixel data that stops before the image is full (an early end code, bad
// codes, too few sub-blocks) leaves the rest of the image undecoded; the
// remaining sub-blocks are skipped so that the next block can be read.
ImageEnd DecodeImage(const uint8_t* data, size_t size, size_t* position, const ColorTable& global,
                     const GraphicControl& control, GifImage* out);

// How many pixels of display row y were decoded, from its left end.
int DecodedColumns(const GifImage& image, int y);

}  // namespace gif
