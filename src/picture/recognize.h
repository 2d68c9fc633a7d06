// Tells the kind of a picture file from its first six bytes; the file name
// plays no part.
#pragma once

#include <cstddef>
#include <cstdint>

namespace picture {

enum class PictureKind { kNone, kBmp, kJpeg, kIcon, kCursor, kGif, kPcx8, kPcxMono };

// The signatures are tested in a fixed order and the first match wins; fewer
// than six bytes are no picture.
PictureKind RecognizePicture(const uint8_t* data, size_t size);

}  // namespace picture
