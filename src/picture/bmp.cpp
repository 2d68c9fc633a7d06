#include "picture/bmp.h"

#include "picture/byte_order.h"

namespace picture {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kMinInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4 and V5 extend it
constexpr uint32_t kMaxColourTableEntries = 256;

struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;
  bool top_down = false;
  unsigned bit_count = 0;
  size_t table_offset = 0;  // colour table right after the info header
  size_t table_entries = 0;
  size_t rows_offset = 0;   // bfOffBits
  size_t stride = 0;        // bytes per stored row, a multiple of 4
};

bool IsSupportedBitCount(unsigned bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Checks every number of the headers against the data before anything is
// allocated: all that the rows need must be inside the data.
bool ReadLayout(const uint8_t* data, size_t size, BmpLayout* layout) {
  if (size < kFileHeaderSize + kMinInfoHeaderSize) return false;
  const uint32_t off_bits = ReadU32Le(data + 10);
  const uint32_t info_size = ReadU32Le(data + 14);
  const int32_t width = ReadI32Le(data + 18);
  const int32_t height = ReadI32Le(data + 22);
  const unsigned bit_count = ReadU16Le(data + 28);
  const uint32_t compression = ReadU32Le(data + 30);
  const uint32_t colours_used = ReadU32Le(data + 46);

  if (info_size < kMinInfoHeaderSize || info_size > size - kFileHeaderSize) return false;
  if (compression != 0 || !IsSupportedBitCount(bit_count)) return false;

  layout->width = width < 0 ? -static_cast<int64_t>(width) : width;
  layout->height = height < 0 ? -static_cast<int64_t>(height) : height;
  layout->top_down = height < 0;
  if (layout->width == 0 || layout->height == 0) return false;
  if (static_cast<uint64_t>(layout->width) > kMaxPicturePixels / static_cast<uint64_t>(layout->height)) {
    return false;
  }

  layout->bit_count = bit_count;
  layout->table_offset = kFileHeaderSize + info_size;
  if (bit_count <= 8) {
    const uint32_t entries = colours_used != 0 ? colours_used : (1u << bit_count);
    if (entries > kMaxColourTableEntries) return false;
    if (size_t{entries} * 4 > size - layout->table_offset) return false;
    layout->table_entries = entries;
  }
  const size_t headers_end = layout->table_offset + layout->table_entries * 4;
  if (off_bits < headers_end || off_bits > size) return false;
  layout->rows_offset = off_bits;

  // width is at most 2^26, so this cannot overflow 64 bits.
  const uint64_t stride = (static_cast<uint64_t>(layout->width) * bit_count + 31) / 32 * 4;
  if (stride > (size - layout->rows_offset) / static_cast<uint64_t>(layout->height)) return false;
  layout->stride = static_cast<size_t>(stride);
  return true;
}

// Colours of the table as blue, green, red; unused entries stay black.
struct ColourTable {
  uint8_t bgr[kMaxColourTableEntries][3] = {};
};

void ReadColourTable(const uint8_t* data, const BmpLayout& layout, ColourTable* table) {
  const uint8_t* entry = data + layout.table_offset;
  for (size_t i = 0; i < layout.table_entries; ++i, entry += 4) {
    table->bgr[i][0] = entry[0];
    table->bgr[i][1] = entry[1];
    table->bgr[i][2] = entry[2];
  }
}

void PutIndex(const ColourTable& table, unsigned index, uint8_t* dst) {
  dst[0] = table.bgr[index][0];
  dst[1] = table.bgr[index][1];
  dst[2] = table.bgr[index][2];
}

void ConvertRow(const uint8_t* src, size_t width, unsigned bit_count, const ColourTable& table,
                uint8_t* dst) {
  switch (bit_count) {
    case 1:
      for (size_t x = 0; x < width; ++x, dst += 3) {
        PutIndex(table, (src[x / 8] >> (7 - x % 8)) & 1, dst);
      }
      break;
    case 4:
      for (size_t x = 0; x < width; ++x, dst += 3) {
        PutIndex(table, (src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15, dst);
      }
      break;
    case 8:
      for (size_t x = 0; x < width; ++x, dst += 3) PutIndex(table, src[x], dst);
      break;
    case 24:
      for (size_t x = 0; x < width; ++x, dst += 3, src += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
      }
      break;
    case 32:
      // The fourth byte (alpha or unused) plays no part.
      for (size_t x = 0; x < width; ++x, dst += 3, src += 4) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
      }
      break;
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Picture* out) {
  ClearPicture(out);
  BmpLayout layout;
  if (data == nullptr || !ReadLayout(data, size, &layout)) return false;
  if (!AllocatePicture(out, layout.width, layout.height, PixelFormat::kBgr24)) return false;

  ColourTable table;
  ReadColourTable(data, layout, &table);
  const size_t width = static_cast<size_t>(layout.width);
  const size_t height = static_cast<size_t>(layout.height);
  for (size_t y = 0; y < height; ++y) {
    // Rows are stored bottom-up unless the height is negative.
    const size_t stored_row = layout.top_down ? y : height - 1 - y;
    const uint8_t* src = data + layout.rows_offset + stored_row * layout.stride;
    ConvertRow(src, width, layout.bit_count, table, out->pixels.data() + y * width * 3);
  }
  return true;
}

}  // namespace picture
