// Run-length coded PCX pictures: 8 bits per pixel in one plane (with the
// 256-colour palette at the end of the file) and monochrome, 1 bit per pixel
// in one plane.
#pragma once

#include <cstddef>
#include <cstdint>

#include "picture/picture.h"

namespace picture {

// 8-bit PCX into a kIndexed8 picture of (Xmax - Xmin + 1) x (Ymax - Ymin + 1).
// The palette is the 768 bytes at the end of the file when the file is at
// least 128 + 769 bytes long and the byte 769 from the end is 0x0C; without
// that marker the palette is a grey ramp (index i shows as i, i, i).
//
// Returns false, with out cleared, when the data is not longer than the
// 128-byte header, the header is not an 8-bit run-length coded one with
// exactly one plane, a side is not above 0, the size passes
// kMaxPicturePixels, or bytes-per-line is smaller than the width.
//
// Data that ends before the picture is complete still gives a picture: what
// was decoded, the rest index 0.
bool DecodePcx8(const uint8_t* data, size_t size, Picture* out);

// Monochrome PCX (1 bit per pixel, exactly one plane) into a kMono picture:
// set bits white, clear bits black, whatever the header palette says. The
// same checks and the same handling of data that ends early (rest black).
// bytes-per-line must hold at least (width + 7) / 8 bytes.
bool DecodePcxMono(const uint8_t* data, size_t size, Picture* out);

}  // namespace picture
