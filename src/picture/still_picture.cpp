#include "picture/still_picture.h"

#include "picture/bmp.h"
#include "picture/jpeg.h"
#include "picture/pcx.h"

namespace picture {

bool DecodeStillPicture(PictureKind kind, const uint8_t* data, size_t size, Picture* out) {
  switch (kind) {
    case PictureKind::kBmp:
      return DecodeBmp(data, size, out);
    case PictureKind::kJpeg:
      return DecodeJpeg(data, size, out);
    case PictureKind::kPcx8:
      return DecodePcx8(data, size, out);
    case PictureKind::kPcxMono:
      return DecodePcxMono(data, size, out);
    case PictureKind::kNone:
    case PictureKind::kIcon:
    case PictureKind::kCursor:
    case PictureKind::kGif:
      break;
  }
  ClearPicture(out);
  return false;
}

}  // namespace picture
