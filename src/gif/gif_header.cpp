#include "gif/gif_header.h"

#include <cstring>

namespace gif {

namespace {
constexpr size_t kHeaderSize = 13;

int Word(const uint8_t* p) { return p[0] | (p[1] << 8); }
}  // namespace

void SetColorTable(const uint8_t* bytes, int count, ColorTable* table) {
  for (int i = 0; i < 256; ++i) {
    table->colors[i] = i < count ? Rgb{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]} : Rgb{0, 0, 0};
  }
  table->count = count;
}

bool ReadGifHeader(const uint8_t* bytes, size_t size, GifHeader* out) {
  if (bytes == nullptr || size <= kHeaderSize) return false;
  if (std::memcmp(bytes, "GIF87a", 6) != 0 && std::memcmp(bytes, "GIF89a", 6) != 0) return false;
  const uint8_t packed = bytes[10];
  int count = 0;
  if (packed & 0x80) count = 2 << (packed & 7);
  const size_t table_size = 3 * static_cast<size_t>(count);
  // "Must end before the bytes end": at least one byte of blocks follows.
  if (table_size >= size - kHeaderSize) return false;
  out->screen_width = Word(bytes + 6);
  out->screen_height = Word(bytes + 8);
  SetColorTable(bytes + kHeaderSize, count, &out->global_colors);
  out->data_offset = kHeaderSize + table_size;
  return true;
}

}  // namespace gif
