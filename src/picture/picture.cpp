#include "picture/picture.h"

#include <new>

namespace picture {

void ClearPicture(Picture* picture) {
  picture->width = 0;
  picture->height = 0;
  picture->format = PixelFormat::kBgr24;
  picture->pixels.clear();
  picture->pixels.shrink_to_fit();
  picture->palette.clear();
}

bool AllocatePicture(Picture* picture, int64_t width, int64_t height, PixelFormat format) {
  ClearPicture(picture);
  if (width <= 0 || height <= 0) return false;
  if (static_cast<uint64_t>(width) > kMaxPicturePixels / static_cast<uint64_t>(height)) return false;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height) * BytesPerPixel(format);
  // A picture that does not fit in memory is simply not shown.
  try {
    picture->pixels.assign(count, 0);
    if (format == PixelFormat::kIndexed8) picture->palette.assign(kPaletteBytes, 0);
  } catch (const std::bad_alloc&) {
    ClearPicture(picture);
    return false;
  }
  picture->width = static_cast<int>(width);
  picture->height = static_cast<int>(height);
  picture->format = format;
  return true;
}

}  // namespace picture
