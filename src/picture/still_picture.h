// One entry point for the kinds that the preview draws from pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/picture.h"
#include "picture/recognize.h"

namespace picture {

// BMP, JPEG, 8-bit PCX and monochrome PCX go to their decoders. Icons and
// cursors (ChooseIconImage), GIF (its own player) and kNone return false.
// On false out is cleared.
bool DecodeStillPicture(PictureKind kind, const uint8_t* data, size_t size, Picture* out);

}  // namespace picture
