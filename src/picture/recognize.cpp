#include "picture/recognize.h"

#include <cstring>

#include "picture/byte_order.h"

namespace picture {

PictureKind RecognizePicture(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 6) return PictureKind::kNone;
  const uint8_t* b = data;
  const uint16_t w0 = ReadU16Le(b), w1 = ReadU16Le(b + 2), w2 = ReadU16Le(b + 4);
  if (b[0] == 'B' && b[1] == 'M') return PictureKind::kBmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureKind::kJpeg;
  if (w0 == 0 && w1 == 1 && w2 > 0) return PictureKind::kIcon;
  if (w0 == 0 && w1 == 2 && w2 > 0) return PictureKind::kCursor;
  if (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0) return PictureKind::kGif;
  // Byte 1 is the PCX version, byte 2 the encoding (1: run-length), byte 3
  // the bits per pixel. Only version 3 files are taken as monochrome.
  if (b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8) return PictureKind::kPcx8;
  if (b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1) return PictureKind::kPcxMono;
  return PictureKind::kNone;
}

}  // namespace picture
