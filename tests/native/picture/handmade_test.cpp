// Tiny hand-made files, each changed in one field at a time: what the
// decoders make of odd, damaged and hostile headers. Every case must end in
// the stated outcome without a read outside the data (the buffers are exact
// heap copies, so the address sanitizer sees any overrun).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/recognize.h"
#include "picture/still_picture.h"
#include "picture_test_support.h"

namespace {

using picture::PictureKind;
using picture_test::Bytes;

// A 2 x 2 BMP, 8 bits per pixel, two colours in its table.
const Bytes kBmp8 = {
    'B', 'M',            // signature
    70, 0, 0, 0,         // bfSize (not read)
    0, 0, 0, 0,          // reserved
    62, 0, 0, 0,         // bfOffBits: 14 + 40 + 2 * 4
    40, 0, 0, 0,         // biSize
    2, 0, 0, 0,          // biWidth
    2, 0, 0, 0,          // biHeight: positive, rows stored bottom-up
    1, 0,                // biPlanes
    8, 0,                // biBitCount
    0, 0, 0, 0,          // biCompression: BI_RGB
    0, 0, 0, 0,          // biSizeImage (not read)
    0, 0, 0, 0,          // biXPelsPerMeter
    0, 0, 0, 0,          // biYPelsPerMeter
    2, 0, 0, 0,          // biClrUsed
    0, 0, 0, 0,          // biClrImportant
    0x00, 0x00, 0xFF, 0,  // colour 0: red (blue, green, red, unused)
    0xFF, 0x00, 0x00, 0,  // colour 1: blue
    1, 0, 0, 0,          // stored first = bottom row: blue, red, 2 bytes padding
    0, 5, 0, 0,          // top row: red, index 5 (past the table), padding
};

// A 3 x 1 BMP, 24 bits per pixel.
const Bytes kBmp24 = {
    'B', 'M', 66, 0, 0, 0, 0, 0, 0, 0,
    54, 0, 0, 0,          // bfOffBits: no colour table
    40, 0, 0, 0,          // biSize
    3, 0, 0, 0,           // biWidth
    1, 0, 0, 0,           // biHeight
    1, 0, 24, 0,          // biPlanes, biBitCount
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // compression, image size, resolution
    0, 0, 0, 0, 0, 0, 0, 0,  // biClrUsed, biClrImportant
    1, 2, 3, 4, 5, 6, 7, 8, 9,  // three pixels: blue, green, red
    0, 0, 0,              // padding to 12 bytes
};

// 128-byte PCX header; fields not named here are 0.
Bytes PcxHeader(uint8_t version, uint8_t bits, int16_t xmin, int16_t ymin, int16_t xmax, int16_t ymax,
                uint8_t planes, uint16_t bytes_per_line) {
  Bytes h(128, 0);
  h[0] = 0x0A;      // manufacturer
  h[1] = version;   // 5: with palette, 3: without
  h[2] = 1;         // encoding: run-length
  h[3] = bits;      // bits per pixel per plane
  auto put16 = [&h](size_t at, uint16_t v) {
    h[at] = static_cast<uint8_t>(v);
    h[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(4, static_cast<uint16_t>(xmin));
  put16(6, static_cast<uint16_t>(ymin));
  put16(8, static_cast<uint16_t>(xmax));  // inclusive
  put16(10, static_cast<uint16_t>(ymax));
  h[65] = planes;
  put16(66, bytes_per_line);
  return h;
}

Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// 3 x 2, 8 bits, bytes-per-line 4 (one byte past the width on each line).
const Bytes kPcx8Header = PcxHeader(5, 8, 10, 20, 12, 21, 1, 4);
// 10 x 2 monochrome, bytes-per-line 2.
const Bytes kPcxMonoHeader = PcxHeader(3, 1, 0, 0, 9, 1, 1, 2);

// A 256-entry palette block: marker 0C, then index i = (i, 255 - i, 7).
Bytes PaletteBlock() {
  Bytes block = {0x0C};
  for (int i = 0; i < 256; ++i) {
    block.push_back(static_cast<uint8_t>(i));
    block.push_back(static_cast<uint8_t>(255 - i));
    block.push_back(7);
  }
  return block;
}

struct Patch {
  size_t offset;
  int bytes;  // 1, 2 or 4, little-endian
  uint32_t value;
};

Bytes Patched(Bytes bytes, std::initializer_list<Patch> patches) {
  for (const Patch& p : patches) {
    for (int i = 0; i < p.bytes; ++i) bytes[p.offset + i] = static_cast<uint8_t>(p.value >> (8 * i));
  }
  return bytes;
}

Bytes Insert(Bytes bytes, size_t at, const Bytes& extra) {
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
  return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

// Expected pixels as text: one RGB hex triple per pixel, rows top-down,
// e.g. "FF0000 0000FF". Empty: no picture.
struct Case {
  std::string name;
  Bytes file;
  PictureKind kind;
  int width;
  int height;
  std::string rgb;
};

std::string RgbText(const Bytes& rgb) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (size_t i = 0; i < rgb.size(); i += 3) {
    if (!text.empty()) text += ' ';
    for (size_t c = 0; c < 3; ++c) {
      text += kDigits[rgb[i + c] >> 4];
      text += kDigits[rgb[i + c] & 15];
    }
  }
  return text;
}

void CheckCase(const Case& c) {
  SCOPED_TRACE(c.name);
  // An exact heap copy, so that any read past the end is an overflow.
  const Bytes file = c.file;
  picture::Picture decoded;
  decoded.width = 99;  // must be reset on failure
  const bool ok = picture::DecodeStillPicture(c.kind, file.data(), file.size(), &decoded);
  if (c.rgb.empty()) {
    EXPECT_FALSE(ok);
    EXPECT_EQ(decoded.width, 0);
    EXPECT_TRUE(decoded.pixels.empty());
    return;
  }
  ASSERT_TRUE(ok);
  EXPECT_EQ(decoded.width, c.width);
  EXPECT_EQ(decoded.height, c.height);
  EXPECT_EQ(RgbText(picture_test::ToRgb(decoded)), c.rgb);
}

TEST(HandMadeBmp, Table) {
  const PictureKind k = PictureKind::kBmp;
  const Case cases[] = {
      {"8-bit as made", kBmp8, k, 2, 2, "FF0000 000000 0000FF FF0000"},
      {"negative height: stored top-down", Patched(kBmp8, {{22, 4, static_cast<uint32_t>(-2)}}), k, 2, 2,
       "0000FF FF0000 FF0000 000000"},
      {"negative width counts as its size", Patched(kBmp8, {{18, 4, static_cast<uint32_t>(-2)}}), k, 2, 2,
       "FF0000 000000 0000FF FF0000"},
      {"24-bit as made", kBmp24, k, 3, 1, "030201 060504 090807"},
      {"gap between headers and rows", Patched(Insert(kBmp24, 54, {0xAA, 0xAA, 0xAA, 0xAA}), {{10, 4, 58}}), k,
       3, 1, "030201 060504 090807"},
      {"biClrUsed 1: index 1 is black", Patched(kBmp8, {{46, 4, 1}}), k, 2, 2, "FF0000 000000 000000 FF0000"},
      // The leftmost pixel is the highest bit: 0x40 is red, blue.
      {"1-bit", Patched(kBmp8, {{28, 2, 1}, {62, 1, 0x40}}), k, 2, 2, "FF0000 FF0000 FF0000 0000FF"},

      {"file header only", Cut(kBmp8, 14), k, 0, 0, ""},
      {"53 bytes", Cut(kBmp8, 53), k, 0, 0, ""},
      {"biSize 39", Patched(kBmp8, {{14, 4, 39}}), k, 0, 0, ""},
      {"biSize 12 (OS/2 core header)", Patched(kBmp8, {{14, 4, 12}}), k, 0, 0, ""},
      {"biSize past the data", Patched(kBmp8, {{14, 4, 57}}), k, 0, 0, ""},
      {"biSize wraps 32 bits", Patched(kBmp8, {{14, 4, 0xFFFFFFF8}}), k, 0, 0, ""},
      {"biSize 44 moves the table onto the rows' start", Patched(kBmp8, {{14, 4, 44}}), k, 0, 0, ""},
      {"RLE8", Patched(kBmp8, {{30, 4, 1}}), k, 0, 0, ""},
      {"bitfields", Patched(kBmp24, {{30, 4, 3}}), k, 0, 0, ""},
      {"16 bits per pixel", Patched(kBmp24, {{28, 2, 16}}), k, 0, 0, ""},
      {"0 bits per pixel", Patched(kBmp24, {{28, 2, 0}}), k, 0, 0, ""},
      {"biClrUsed 257", Patched(kBmp8, {{46, 4, 257}}), k, 0, 0, ""},
      {"biClrUsed wraps when multiplied by 4", Patched(kBmp8, {{46, 4, 0x40000001}}), k, 0, 0, ""},
      {"biClrUsed 0: 256 entries past the data", Patched(kBmp8, {{46, 4, 0}}), k, 0, 0, ""},
      {"bfOffBits inside the table", Patched(kBmp8, {{10, 4, 61}}), k, 0, 0, ""},
      {"bfOffBits inside the headers", Patched(kBmp24, {{10, 4, 20}}), k, 0, 0, ""},
      {"bfOffBits past the data", Patched(kBmp8, {{10, 4, 71}}), k, 0, 0, ""},
      {"bfOffBits wraps", Patched(kBmp8, {{10, 4, 0xFFFFFFFF}}), k, 0, 0, ""},
      {"last row one byte short", Cut(kBmp8, 69), k, 0, 0, ""},
      {"one row more than the data", Patched(kBmp8, {{22, 4, 3}}), k, 0, 0, ""},
      {"width 0", Patched(kBmp8, {{18, 4, 0}}), k, 0, 0, ""},
      {"height 0", Patched(kBmp8, {{22, 4, 0}}), k, 0, 0, ""},
      {"width most negative", Patched(kBmp8, {{18, 4, 0x80000000}}), k, 0, 0, ""},
      {"height most negative", Patched(kBmp8, {{22, 4, 0x80000000}}), k, 0, 0, ""},
      // 65536 x 65536 is 0 in 32 bits.
      {"size wraps 32 bits", Patched(kBmp24, {{18, 4, 0x10000}, {22, 4, 0x10000}}), k, 0, 0, ""},
      {"size past the pixel cap", Patched(kBmp24, {{18, 4, 0x7FFFFFFF}, {22, 4, 0x7FFFFFFF}}), k, 0, 0, ""},
      // Below the cap, but the rows would need 12 MB that the data lacks.
      {"rows past the data", Patched(kBmp24, {{18, 4, 2048}, {22, 4, 2048}}), k, 0, 0, ""},
  };
  for (const Case& c : cases) CheckCase(c);
}

TEST(HandMadePcx, Table) {
  const PictureKind k8 = PictureKind::kPcx8, k1 = PictureKind::kPcxMono;
  const Bytes palette = PaletteBlock();
  // Six pixels 1..6 as literals, the fourth byte of each line not shown.
  const Bytes lines = {1, 2, 3, 0x77, 4, 5, 6, 0x77};
  // Grey ramp (no palette): index i shows as i, i, i.
  const std::string grey = "010101 020202 030303 040404 050505 060606";
  const Case cases[] = {
      {"literals, palette at the end", Join(Join(kPcx8Header, lines), palette), k8, 3, 2,
       "01FE07 02FD07 03FC07 04FB07 05FA07 06F907"},
      {"no palette: grey ramp", Join(kPcx8Header, lines), k8, 3, 2, grey},
      // C8 = run of 8: both lines, padding bytes included.
      {"one run across the line end", Join(kPcx8Header, {0xC8, 9}), k8, 3, 2,
       "090909 090909 090909 090909 090909 090909"},
      {"run of 3 from the padding into the next line", Join(kPcx8Header, {1, 2, 3, 0xC3, 7, 8, 9}), k8, 3, 2,
       "010101 020202 030303 070707 070707 080808"},
      // C0 is not a run: it stands for itself; C1 is a run of one.
      {"C0 is a literal", Join(kPcx8Header, {0xC0, 0xC1, 0xC1, 0xC1, 0xC0, 0, 1, 2, 3, 0}), k8, 3, 2,
       "C0C0C0 C1C1C1 C0C0C0 010101 020202 030303"},
      {"data ends mid-line: rest index 0", Join(kPcx8Header, {1, 2, 3, 0, 4}), k8, 3, 2,
       "010101 020202 030303 040404 000000 000000"},
      {"data ends after a run count", Join(kPcx8Header, {1, 2, 3, 0, 0xC2}), k8, 3, 2,
       "010101 020202 030303 000000 000000 000000"},
      {"one data byte", Join(kPcx8Header, {7}), k8, 3, 2, "070707 000000 000000 000000 000000 000000"},
      // In a file shorter than 128 + 769 bytes the byte 769 from the end lies
      // in the header (here the last filler byte, set to 0C): no palette.
      {"short file, 0C at 769 from the end",
       Patched(Join(Join(kPcx8Header, {5, 6, 7, 8, 1, 2, 3, 4}), Bytes(760, 0)), {{127, 1, 0x0C}}), k8, 3, 2,
       "050505 060606 070707 010101 020202 030303"},
      {"bytes-per-line equal to the width", Patched(Join(kPcx8Header, {1, 2, 3, 4, 5, 6}), {{66, 2, 3}}), k8, 3,
       2, grey},
      {"corners below 0", Join(PcxHeader(5, 8, -2, -1, 0, 0, 1, 4), lines), k8, 3, 2, grey},

      {"header only", kPcx8Header, k8, 0, 0, ""},
      {"header cut", Cut(kPcx8Header, 100), k8, 0, 0, ""},
      {"bytes-per-line 0", Patched(Join(kPcx8Header, lines), {{66, 2, 0}}), k8, 0, 0, ""},
      {"bytes-per-line below the width", Patched(Join(kPcx8Header, lines), {{66, 2, 2}}), k8, 0, 0, ""},
      {"three planes", Patched(Join(kPcx8Header, lines), {{65, 1, 3}}), k8, 0, 0, ""},
      {"no plane", Patched(Join(kPcx8Header, lines), {{65, 1, 0}}), k8, 0, 0, ""},
      {"width 0: Xmax = Xmin - 1", Join(PcxHeader(5, 8, 10, 0, 9, 1, 1, 4), lines), k8, 0, 0, ""},
      {"negative width", Join(PcxHeader(5, 8, 10, 0, 2, 1, 1, 4), lines), k8, 0, 0, ""},
      {"negative height", Join(PcxHeader(5, 8, 0, 5, 2, -5, 1, 4), lines), k8, 0, 0, ""},
      {"65536 x 65536 passes the pixel cap",
       Join(PcxHeader(5, 8, -32768, -32768, 32767, 32767, 1, 65535), lines), k8, 0, 0, ""},
      {"bits 4 given as 8-bit", Patched(Join(kPcx8Header, lines), {{3, 1, 4}}), k8, 0, 0, ""},
      {"encoding 0", Patched(Join(kPcx8Header, lines), {{2, 1, 0}}), k8, 0, 0, ""},

      // Monochrome: the leftmost pixel is the highest bit; set bits white.
      // FF is above C0, so it is written as a run of one (C1 FF).
      {"mono", Join(kPcxMonoHeader, {0xA5, 0x40, 0x0F, 0xC1, 0xFF}), k1, 10, 2,
       "FFFFFF 000000 FFFFFF 000000 000000 FFFFFF 000000 FFFFFF 000000 FFFFFF "
       "000000 000000 000000 000000 FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF"},
      {"mono run across the line end, data ends", Join(kPcxMonoHeader, {0xC3, 0xFF}), k1, 10, 2,
       "FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF "
       "FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF 000000 000000"},
      {"mono bytes-per-line 1 for 10 pixels", Patched(Join(kPcxMonoHeader, {0xFF, 0xFF}), {{66, 2, 1}}), k1, 0,
       0, ""},
      {"mono with two planes", Patched(Join(kPcxMonoHeader, {0xFF, 0xFF}), {{65, 1, 2}}), k1, 0, 0, ""},
      {"8-bit header given as mono", Join(kPcx8Header, lines), k1, 0, 0, ""},
  };
  for (const Case& c : cases) CheckCase(c);
}

TEST(HandMadeOther, KindsWithoutPixelDecoder) {
  // Icons, cursors and GIF are not decoded to pixels here.
  const Bytes any = kBmp8;
  for (PictureKind kind : {PictureKind::kNone, PictureKind::kIcon, PictureKind::kCursor, PictureKind::kGif}) {
    picture::Picture decoded;
    EXPECT_FALSE(picture::DecodeStillPicture(kind, any.data(), any.size(), &decoded));
  }
  picture::Picture decoded;
  EXPECT_FALSE(picture::DecodeStillPicture(PictureKind::kBmp, nullptr, 0, &decoded));
  EXPECT_FALSE(picture::DecodeStillPicture(PictureKind::kJpeg, nullptr, 0, &decoded));
  EXPECT_FALSE(picture::DecodeStillPicture(PictureKind::kPcx8, nullptr, 0, &decoded));
}

TEST(HandMadeJpeg, BrokenStreams) {
  const PictureKind k = PictureKind::kJpeg;
  const Case cases[] = {
      {"SOI only", {0xFF, 0xD8}, k, 0, 0, ""},
      {"SOI, EOI", {0xFF, 0xD8, 0xFF, 0xD9}, k, 0, 0, ""},
      {"SOI and garbage", {0xFF, 0xD8, 1, 2, 3, 4, 5, 6, 7, 8}, k, 0, 0, ""},
      // A frame header of 65535 x 65535 with one component, then nothing:
      // refused from the header alone.
      {"frame past the size cap",
       {0xFF, 0xD8,
        0xFF, 0xC0, 0, 11,  // SOF0, length 11
        8,                  // precision
        0xFF, 0xFF,         // height
        0xFF, 0xFF,         // width
        1,                  // components
        1, 0x11, 0,         // id 1, sampling 1x1, table 0
        0xFF, 0xD9},
       k, 0, 0, ""},
  };
  for (const Case& c : cases) CheckCase(c);
}

}  // namespace
