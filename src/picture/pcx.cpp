#include "picture/pcx.h"

#include "picture/byte_order.h"

namespace picture {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteBlock = 1 + kPaletteBytes;  // 0x0C marker, then 256 triples
constexpr uint8_t kPaletteMarker = 0x0C;

struct PcxHeader {
  int64_t width = 0;
  int64_t height = 0;
  size_t bytes_per_line = 0;
};

// The fields common to both kinds; bits is the bits per pixel expected.
bool ReadHeader(const uint8_t* data, size_t size, unsigned bits, PcxHeader* header) {
  if (data == nullptr || size <= kHeaderSize) return false;
  if (data[0] != 0x0A || data[2] != 1 || data[3] != bits) return false;
  const unsigned planes = data[65];
  if (planes != 1) return false;
  // Signed 16-bit corners; their difference fits easily in 64 bits.
  header->width = int64_t{ReadI16Le(data + 8)} - ReadI16Le(data + 4) + 1;
  header->height = int64_t{ReadI16Le(data + 10)} - ReadI16Le(data + 6) + 1;
  header->bytes_per_line = ReadU16Le(data + 66);
  if (header->width <= 0 || header->height <= 0) return false;
  const uint64_t line_need = bits == 8 ? static_cast<uint64_t>(header->width)
                                       : (static_cast<uint64_t>(header->width) + 7) / 8;
  return header->bytes_per_line >= line_need;
}

// Bytes of the run-length coded lines. A byte above 0xC0 repeats the next
// byte (byte - 0xC0) times, any other byte stands for itself. Runs carry on
// across line ends. Next fails for good at the end of the data, also when a
// run count is the last byte.
class RunLengthReader {
 public:
  RunLengthReader(const uint8_t* begin, const uint8_t* end) : p_(begin), end_(end) {}

  bool Next(uint8_t* byte) {
    if (run_left_ > 0) {
      --run_left_;
      *byte = run_value_;
      return true;
    }
    if (p_ == end_) return false;
    const uint8_t code = *p_++;
    if (code <= 0xC0) {
      *byte = code;
      return true;
    }
    if (p_ == end_) return false;
    run_value_ = *p_++;
    run_left_ = code - 0xC0 - 1u;
    *byte = run_value_;
    return true;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  unsigned run_left_ = 0;
  uint8_t run_value_ = 0;
};

void SetPalette(const uint8_t* data, size_t size, Picture* out) {
  if (size >= kHeaderSize + kPaletteBlock && data[size - kPaletteBlock] == kPaletteMarker) {
    const uint8_t* triples = data + size - kPaletteBytes;
    out->palette.assign(triples, triples + kPaletteBytes);
    return;
  }
  // No palette at the end: show the indices as grey levels rather than
  // nothing, so the picture's shapes are still recognisable.
  for (size_t i = 0; i < 256; ++i) {
    out->palette[i * 3] = out->palette[i * 3 + 1] = out->palette[i * 3 + 2] = static_cast<uint8_t>(i);
  }
}

}  // namespace

bool DecodePcx8(const uint8_t* data, size_t size, Picture* out) {
  ClearPicture(out);
  PcxHeader header;
  if (!ReadHeader(data, size, 8, &header)) return false;
  if (!AllocatePicture(out, header.width, header.height, PixelFormat::kIndexed8)) return false;
  SetPalette(data, size, out);

  RunLengthReader reader(data + kHeaderSize, data + size);
  const size_t width = static_cast<size_t>(header.width);
  const size_t height = static_cast<size_t>(header.height);
  uint8_t* row = out->pixels.data();
  for (size_t y = 0; y < height; ++y, row += width) {
    for (size_t x = 0; x < header.bytes_per_line; ++x) {
      uint8_t byte;
      if (!reader.Next(&byte)) return true;  // the rest stays index 0
      if (x < width) row[x] = byte;
    }
  }
  return true;
}

bool DecodePcxMono(const uint8_t* data, size_t size, Picture* out) {
  ClearPicture(out);
  PcxHeader header;
  if (!ReadHeader(data, size, 1, &header)) return false;
  if (!AllocatePicture(out, header.width, header.height, PixelFormat::kMono)) return false;

  RunLengthReader reader(data + kHeaderSize, data + size);
  const size_t width = static_cast<size_t>(header.width);
  const size_t height = static_cast<size_t>(header.height);
  uint8_t* row = out->pixels.data();
  for (size_t y = 0; y < height; ++y, row += width) {
    for (size_t x = 0; x < header.bytes_per_line; ++x) {
      uint8_t byte;
      if (!reader.Next(&byte)) return true;  // the rest stays black
      // The leftmost pixel is the byte's highest bit.
      for (size_t bit = 0; bit < 8 && x * 8 + bit < width; ++bit) {
        row[x * 8 + bit] = (byte >> (7 - bit)) & 1;
      }
    }
  }
  return true;
}

}  // namespace picture
