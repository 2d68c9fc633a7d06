// The LZW decoder on hand-packed code streams: each case names its codes and
// the width each is written with, so the width rules are stated by the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gif/lzw_decoder.h"
#include "gif_test_support.h"

namespace {

using gif::LzwStop;
using gif_test::Bytes;
using gif_test::Code;

struct Decoded {
  LzwStop stop;
  Bytes pixels;  // the pixels written, in order
};

Decoded Decode(int min_code_size, const std::vector<Code>& codes, size_t pixel_count) {
  const Bytes data = gif_test::SubBlocks(gif_test::PackCodes(codes));
  Bytes pixels(pixel_count, 0xEE);
  gif::SubBlockReader in = gif::StartSubBlocks(data.data(), data.size(), 0);
  gif::PixelRows rows = gif::StartPixelRows(pixels.data(), static_cast<int>(pixel_count), 1, false);
  Decoded d{gif::DecodeLzw(min_code_size, in, rows), {}};
  d.pixels.assign(pixels.begin(), pixels.begin() + rows.written);
  return d;
}

// Minimum code size 2: roots 0..3, clear 4, end 5, first free entry 6.
constexpr int kClear = 4, kEnd = 5;

TEST(LzwDecoder, Cases) {
  struct Case {
    const char* name;
    int min_code_size;
    std::vector<Code> codes;
    size_t pixel_count;
    LzwStop stop;
    Bytes pixels;
  } cases[] = {
      {"roots and a defined string", 2,
       // 1 defines 6 = "01"; 6 defines 7 = "10", and next = 8 widens to 4 bits.
       {{kClear, 3}, {0, 3}, {1, 3}, {6, 3}, {kEnd, 4}}, 8, LzwStop::kEndCode, {0, 1, 0, 1}},
      {"code equal to next: previous string plus its first byte", 2,
       {{kClear, 3}, {1, 3}, {6, 3}, {kEnd, 3}}, 8, LzwStop::kEndCode, {1, 1, 1}},
      {"longer code == next chain", 2,
       // 6 = "22" (code == next), 7 = "222" (code == next again).
       {{kClear, 3}, {2, 3}, {6, 3}, {7, 3}, {kEnd, 4}}, 8, LzwStop::kEndCode, {2, 2, 2, 2, 2, 2}},
      {"code above next is bad data; what came before stays", 2,
       {{kClear, 3}, {0, 3}, {7, 3}, {kEnd, 3}}, 8, LzwStop::kBadData, {0}},
      {"next right after a clear has nothing to extend", 2,
       {{kClear, 3}, {6, 3}}, 8, LzwStop::kBadData, {}},
      {"no clear code at the start: read as if there were one", 2,
       // 0 defines 6 = "30"; 6 defines 7 and widens to 4 bits.
       {{3, 3}, {0, 3}, {6, 3}, {kEnd, 4}}, 8, LzwStop::kEndCode, {3, 0, 3, 0}},
      {"a clear in the middle starts again at 3 bits", 2,
       // 1 defines 6, 2 defines 7 and widens to 4 bits, 3 defines 8.
       {{kClear, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {kClear, 4}, {3, 3}, {kEnd, 3}}, 8, LzwStop::kEndCode,
       {0, 1, 2, 3, 3}},
      {"stops when the image is full, without an end code", 2,
       {{kClear, 3}, {0, 3}, {1, 3}, {6, 3}}, 3, LzwStop::kImageFull, {0, 1, 0}},
      {"data ends before the end code", 2, {{kClear, 3}, {2, 3}}, 8, LzwStop::kDataEnd, {2}},
      {"minimum code size 8: 9-bit codes", 8, {{256, 9}, {255, 9}, {7, 9}, {257, 9}}, 8, LzwStop::kEndCode,
       {255, 7}},
      {"minimum code size 0", 0, {{1, 1}, {0, 1}}, 8, LzwStop::kBadData, {}},
      {"minimum code size 1", 1, {{2, 2}, {0, 2}}, 8, LzwStop::kBadData, {}},
      {"minimum code size 9", 9, {{512, 10}, {0, 10}}, 8, LzwStop::kBadData, {}},
      {"minimum code size 12", 12, {{0, 12}}, 8, LzwStop::kBadData, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = Decode(c.min_code_size, c.codes, c.pixel_count);
    EXPECT_EQ(static_cast<int>(d.stop), static_cast<int>(c.stop));
    EXPECT_EQ(d.pixels, c.pixels);
  }
}

// The width when a code is read, by the GIF rule: wide enough for the next
// free entry, at least min + 1 bits, at most 12.
int WidthFor(int next) {
  int width = 3;
  while (width < 12 && next >= (1 << width)) ++width;
  return width;
}

// More codes than the 4096 entries without a clear: the table stays full,
// codes stay 12 bits wide and keep decoding, until a clear comes.
TEST(LzwDecoder, FullTableKeepsTwelveBitsUntilClear) {
  std::vector<Code> codes = {{kClear, 3}, {0, 3}};
  Bytes expected = {0};
  // Each code is the entry being defined (code == next), so entry n is n - 4
  // zeros and the last one, 4095, is the longest string a GIF can have.
  for (int next = 6; next < 4096; ++next) {
    codes.push_back({next, WidthFor(next)});
    expected.insert(expected.end(), static_cast<size_t>(next - 4), 0);
  }
  // The table is full: these define nothing and must come out whole, without
  // recursion and without a 13th bit.
  for (int i = 0; i < 2; ++i) {
    codes.push_back({4095, 12});
    expected.insert(expected.end(), 4091, 0);
  }
  for (int i = 0; i < 3; ++i) {
    codes.push_back({3, 12});
    expected.push_back(3);
  }
  codes.push_back({kClear, 12});
  codes.push_back({1, 3});
  codes.push_back({1, 3});
  codes.push_back({kEnd, 3});
  expected.push_back(1);
  expected.push_back(1);

  const Decoded d = Decode(2, codes, expected.size() + 10);
  EXPECT_EQ(static_cast<int>(d.stop), static_cast<int>(LzwStop::kEndCode));
  ASSERT_EQ(d.pixels.size(), expected.size());
  const auto diff = std::mismatch(d.pixels.begin(), d.pixels.end(), expected.begin());
  EXPECT_TRUE(diff.first == d.pixels.end()) << "first difference at pixel " << (diff.first - d.pixels.begin());
}

}  // namespace
