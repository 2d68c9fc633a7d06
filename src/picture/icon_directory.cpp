#include "picture/icon_directory.h"

#include <cstring>

#include "picture/byte_order.h"
#include "picture/picture.h"

namespace picture {

namespace {

constexpr size_t kDirectoryHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;
constexpr int64_t kMaxIconSide = 65535;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Signature, chunk length, "IHDR", width, height.
constexpr size_t kPngSizeEnd = 24;

struct ImageSize {
  int64_t width = 0;
  int64_t height = 0;
  int bit_count = 0;
  bool is_png = false;
};

bool ReadImageSize(const uint8_t* image, size_t size, ImageSize* out) {
  if (size >= sizeof kPngSignature && std::memcmp(image, kPngSignature, sizeof kPngSignature) == 0) {
    if (size < kPngSizeEnd || std::memcmp(image + 12, "IHDR", 4) != 0) return false;
    out->width = ReadU32Be(image + 16);
    out->height = ReadU32Be(image + 20);
    out->is_png = true;
    return true;
  }
  if (size < kInfoHeaderSize) return false;
  out->width = ReadI32Le(image + 4);
  // The height covers the colour image and the AND mask below it.
  out->height = ReadI32Le(image + 8) / 2;
  out->bit_count = ReadU16Le(image + 14);
  return true;
}

}  // namespace

bool ChooseIconImage(const uint8_t* data, size_t size, IconImage* out) {
  if (data == nullptr || size < kDirectoryHeaderSize) return false;
  const uint16_t reserved = ReadU16Le(data), type = ReadU16Le(data + 2), count = ReadU16Le(data + 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return false;

  size_t present = (size - kDirectoryHeaderSize) / kEntrySize;
  if (present > count) present = count;
  if (present == 0) return false;

  const uint8_t* entry = data + kDirectoryHeaderSize + (present - 1) * kEntrySize;
  for (size_t i = 0; i < present; ++i) {
    const uint8_t* candidate = data + kDirectoryHeaderSize + i * kEntrySize;
    if (candidate[0] == 32 && candidate[2] >= 16) {
      entry = candidate;
      break;
    }
  }

  const uint32_t image_size = ReadU32Le(entry + 8);
  const uint32_t image_offset = ReadU32Le(entry + 12);
  if (image_offset > size || image_size > size - image_offset) return false;

  ImageSize image;
  if (!ReadImageSize(data + image_offset, image_size, &image)) return false;
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxIconSide || image.height > kMaxIconSide ||
      static_cast<uint64_t>(image.width * image.height) > kMaxPicturePixels) {
    return false;
  }

  out->bytes = data + image_offset;
  out->offset = image_offset;
  out->size = image_size;
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->bit_count = image.bit_count;
  out->is_png = image.is_png;
  return true;
}

}  // namespace picture
