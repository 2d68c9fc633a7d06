#include "gif/image_decoder.h"

#include "gif/gif_header.h"
#include "gif/lzw_decoder.h"
#include "gif/pixel_rows.h"
#include "gif/sub_blocks.h"

namespace gif {

namespace {
constexpr size_t kDescriptorSize = 10;  // 2C, left, top, width, height, flags

int Word(const uint8_t* p) { return p[0] | (p[1] << 8); }

void SetDefaultColors(ColorTable* table) {
  static const uint8_t kBlackWhite[] = {0, 0, 0, 255, 255, 255};
  SetColorTable(kBlackWhite, 2, table);
}
}  // namespace

ImageEnd DecodeImage(const uint8_t* data, size_t size, size_t* position, const ColorTable& global,
                     const GraphicControl& control, GifImage* out) {
  size_t p = *position;
  if (p > size || kDescriptorSize > size - p) return ImageEnd::kNoImage;
  const uint8_t* d = data + p;
  out->left = Word(d + 1);
  out->top = Word(d + 3);
  out->width = Word(d + 5);
  out->height = Word(d + 7);
  const uint8_t flags = d[9];
  out->interlaced = (flags & 0x40) != 0;
  out->decoded = 0;
  out->disposal = control.disposal;
  out->delay = control.delay;
  out->transparent = control.transparent;
  out->transparent_index = control.transparent_index;
  p += kDescriptorSize;

  if (static_cast<uint64_t>(out->width) * static_cast<uint64_t>(out->height) > kMaxImagePixels) {
    out->width = 0;
    out->height = 0;
  }
  out->pixels.assign(static_cast<size_t>(out->width) * static_cast<size_t>(out->height), 0);

  bool table_complete = true;
  if (flags & 0x80) {
    const int count = 2 << (flags & 7);
    const size_t table_size = 3 * static_cast<size_t>(count);
    const size_t present = table_size <= size - p ? table_size : size - p;
    SetColorTable(data + p, static_cast<int>(present / 3), &out->colors);
    table_complete = present == table_size;
    p += present;
  } else if (global.count > 0) {
    out->colors = global;
  } else {
    SetDefaultColors(&out->colors);
  }
  out->transparent_color =
      out->transparent ? out->colors.colors[out->transparent_index & 0xFF] : Rgb{255, 255, 255};

  if (!table_complete || p >= size) {
    *position = size;
    return ImageEnd::kDataEnded;
  }
  const int min_code_size = data[p++];
  SubBlockReader blocks = StartSubBlocks(data, size, p);
  PixelRows rows = StartPixelRows(out->pixels.data(), out->width, out->height, out->interlaced);
  DecodeLzw(min_code_size, blocks, rows);
  out->decoded = rows.written;
  SkipSubBlocks(blocks);
  if (blocks.truncated) {
    *position = size;
    return ImageEnd::kDataEnded;
  }
  *position = blocks.position;
  return ImageEnd::kComplete;
}

int DecodedColumns(const GifImage& image, int y) {
  if (y < 0 || y >= image.height || image.width <= 0) return 0;
  const size_t row_start =
      static_cast<size_t>(CodedRowOf(y, image.height, image.interlaced)) * static_cast<size_t>(image.width);
  if (image.decoded <= row_start) return 0;
  const size_t in_row = image.decoded - row_start;
  return in_row >= static_cast<size_t>(image.width) ? image.width : static_cast<int>(in_row);
}

}  // namespace gif
