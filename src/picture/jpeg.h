// JPEG pictures through libjpeg (6b interface), from the bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/picture.h"

namespace picture {

// Decodes with the library's default output settings and no scaling, one
// scan line at a time, into a kBgr24 picture of output width x height:
//  - 3 components are taken as red, green, blue;
//  - 1 component is grey, copied to all three;
//  - CMYK (4 components) is turned into RGB. Files with an Adobe marker hold
//    inverted samples (255 = no ink), as Adobe's programs write them, so
//    R = C * K / 255; without the marker R = (255 - C) * (255 - K) / 255.
//    Likewise for green (M) and blue (Y).
// Library warnings (such as data ending early, where libjpeg fills in grey)
// are not shown and do not stop the decoding. Returns false, with out
// cleared, on any library error, any other component count, more than
// kMaxPicturePixels, or a side above 65500. Without libjpeg (a build that
// has none) it always returns false.
bool DecodeJpeg(const uint8_t* data, size_t size, Picture* out);

}  // namespace picture
