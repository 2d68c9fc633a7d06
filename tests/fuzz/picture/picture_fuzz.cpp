// Whatever the bytes, recognition and decoding must end cleanly, and a
// picture that comes out must be consistent with itself.
#include <cstdint>
#include <cstdlib>

#include "picture/icon_directory.h"
#include "picture/placement.h"
#include "picture/recognize.h"
#include "picture/still_picture.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckPicture(const picture::Picture& p) {
  Require(p.width > 0 && p.height > 0);
  Require(static_cast<uint64_t>(p.width) * static_cast<uint64_t>(p.height) <= picture::kMaxPicturePixels);
  Require(p.pixels.size() == static_cast<size_t>(p.width) * p.height * picture::BytesPerPixel(p.format));
  Require(p.palette.size() == (p.format == picture::PixelFormat::kIndexed8 ? picture::kPaletteBytes : 0));
  if (p.format == picture::PixelFormat::kMono) {
    for (uint8_t v : p.pixels) Require(v <= 1);
  }
}

void CheckPlacement(int width, int height) {
  const picture::Placement at = picture::FitPlacement(width, height, 54, 46);
  Require(at.x >= 0 && at.y >= 0 && at.x + at.width <= 54 && at.y + at.height <= 46);
  Require(at.width <= width && at.height <= height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const picture::PictureKind kind = picture::RecognizePicture(data, size);
  if (kind == picture::PictureKind::kIcon || kind == picture::PictureKind::kCursor) {
    picture::IconImage image;
    if (picture::ChooseIconImage(data, size, &image)) {
      Require(image.bytes == data + image.offset);
      Require(image.offset <= size && image.size <= size - image.offset);
      Require(image.width > 0 && image.height > 0);
      CheckPlacement(image.width, image.height);
    }
    return 0;
  }
  picture::Picture decoded;
  if (picture::DecodeStillPicture(kind, data, size, &decoded)) {
    CheckPicture(decoded);
    CheckPlacement(decoded.width, decoded.height);
  } else {
    Require(decoded.width == 0 && decoded.pixels.empty());
  }
  return 0;
}
