// Builds without libjpeg show no JPEG pictures.
#include "picture/jpeg.h"

namespace picture {

bool DecodeJpeg(const uint8_t*, size_t, Picture* out) {
  ClearPicture(out);
  return false;
}

}  // namespace picture
