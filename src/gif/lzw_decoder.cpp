#include "gif/lzw_decoder.h"

namespace gif {

namespace {
constexpr int kMaxCodes = 4096;
constexpr int kMaxWidth = 12;

// Each code's string is its prefix code's string plus one byte. The first
// byte and the length are kept so that a string can be written back to front
// without recursion and the code == next case needs no walk.
struct CodeTable {
  uint16_t prefix[kMaxCodes];
  uint16_t length[kMaxCodes];
  uint8_t suffix[kMaxCodes];
  uint8_t first[kMaxCodes];
};
}  // namespace

LzwStop DecodeLzw(int min_code_size, SubBlockReader& in, PixelRows& out) {
  if (min_code_size < 2 || min_code_size > 8) return LzwStop::kBadData;
  if (out.full) return LzwStop::kImageFull;

  CodeTable table;
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  for (int i = 0; i < clear; ++i) {
    table.prefix[i] = 0;
    table.length[i] = 1;
    table.suffix[i] = static_cast<uint8_t>(i);
    table.first[i] = static_cast<uint8_t>(i);
  }
  int next = clear + 2;
  int width = min_code_size + 1;
  int previous = -1;  // no string to extend: at the start and after a clear
  uint32_t bits = 0;
  int bit_count = 0;
  uint8_t string[kMaxCodes];

  for (;;) {
    while (bit_count < width) {
      uint8_t byte;
      if (!NextSubBlockByte(in, &byte)) return LzwStop::kDataEnd;
      bits |= static_cast<uint32_t>(byte) << bit_count;
      bit_count += 8;
    }
    const int code = static_cast<int>(bits & ((1u << width) - 1));
    bits >>= width;
    bit_count -= width;

    if (code == clear) {
      next = clear + 2;
      width = min_code_size + 1;
      previous = -1;
      continue;
    }
    if (code == end) return LzwStop::kEndCode;
    if (code > next || (code == next && previous < 0)) return LzwStop::kBadData;

    if (previous >= 0 && next < kMaxCodes) {
      // code == next names the string being defined right now: the previous
      // string plus its own first byte.
      table.prefix[next] = static_cast<uint16_t>(previous);
      table.suffix[next] = code == next ? table.first[previous] : table.first[code];
      table.first[next] = table.first[previous];
      table.length[next] = static_cast<uint16_t>(table.length[previous] + 1);
      ++next;
      if (next == (1 << width) && width < kMaxWidth) ++width;
    }

    const int length = table.length[code];
    int c = code;
    for (int i = length - 1; i >= 0; --i) {
      string[i] = table.suffix[c];
      c = table.prefix[c];
    }
    PutPixels(out, string, static_cast<size_t>(length));
    if (out.full) return LzwStop::kImageFull;
    previous = code;
  }
}

}  // namespace gif
