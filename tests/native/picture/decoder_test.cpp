// Pictures written by ImageMagick at run time, decoded by our decoders and
// compared pixel for pixel with ImageMagick's own reading of the same file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/byte_order.h"
#include "picture/recognize.h"
#include "picture/still_picture.h"
#include "picture_test_support.h"

namespace {

using picture::PictureKind;
using picture::PixelFormat;
using picture_test::Bytes;

// Changes made to ImageMagick's file before our decoder reads it. The
// reference stays ImageMagick's reading of the file as it wrote it, since
// none of these changes alter the picture.
enum class Mend {
  kNone,
  // Stores the rows top-down (negative biHeight), which ImageMagick never
  // writes.
  kBmpTopDown,
  // ImageMagick writes monochrome PCX files as version 5, and the signature
  // test takes only version 3 as monochrome; the pixel data is the same.
  // ImageMagick also stores black as a set bit and reads it back that way,
  // whereas here a set bit is white: its reading is compared inverted.
  kPcxVersion3Inverted,
};

// A little-endian field of the written file, checked so that each case
// really tests the layout it names (bit count, header size, planes).
struct Field {
  size_t offset;
  int bytes;  // 1, 2 or 4; 0: no check
  uint32_t value;
};

struct DecoderCase {
  const char* name;  // also the file name in the work folder
  std::vector<std::string> commands;  // convert arguments, run in order; the last writes `name`
  Mend mend;
  PictureKind kind;
  PixelFormat format;
  int tolerance;  // largest difference allowed per channel
  Field field1;
  Field field2;
};

const Field kNoField = {0, 0, 0};

// BMP: bit count at 28, biSize at 14. PCX: bits per pixel at 3, planes at 65.
const DecoderCase kCases[] = {
    {"t24_7x5.bmp", {"-size 7x5 gradient:red-blue -type TrueColor BMP3:t24_7x5.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 24}, {14, 4, 40}},
    {"t24_33x17.bmp", {"rose: -resize 33x17! -type TrueColor BMP3:t24_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 24}, kNoField},
    {"t24_1x1.bmp", {"rose: -resize 1x1! -type TrueColor BMP3:t24_1x1.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 24}, kNoField},
    {"t32_33x17.bmp",
     {"rose: -resize 33x17! -alpha set -channel A -evaluate set 50% +channel "
      "-define bmp3:alpha=true BMP3:t32_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 32}, {30, 4, 0}},
    {"p8_33x17.bmp", {"rose: -resize 33x17! -colors 200 -type Palette -compress None BMP3:p8_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 8}, {30, 4, 0}},
    {"p4_7x5.bmp", {"-size 7x5 gradient:red-blue -colors 16 -compress None BMP3:p4_7x5.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 4}, kNoField},
    {"p4_33x17.bmp", {"rose: -resize 33x17! -colors 16 -compress None BMP3:p4_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 4}, kNoField},
    {"m1_33x17.bmp", {"rose: -resize 33x17! -monochrome -compress None BMP3:m1_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 1}, kNoField},
    {"m1_1x1.bmp", {"-size 1x1 xc:white -monochrome -compress None BMP3:m1_1x1.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 1}, kNoField},
    // V5 headers: the colour table starts at 14 + 124.
    {"v5_t24_33x17.bmp", {"rose: -resize 33x17! -type TrueColor BMP:v5_t24_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 24}, {14, 4, 124}},
    {"v5_p8_33x17.bmp", {"rose: -resize 33x17! -colors 200 -type Palette -compress None BMP:v5_p8_33x17.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 8}, {14, 4, 124}},
    {"v5_p4_7x5.bmp", {"-size 7x5 gradient:red-blue -colors 16 -compress None BMP:v5_p4_7x5.bmp"},
     Mend::kNone, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 4}, {14, 4, 124}},
    {"topdown_t24_33x17.bmp", {"rose: -resize 33x17! -type TrueColor BMP3:topdown_t24_33x17.bmp"},
     Mend::kBmpTopDown, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 24}, kNoField},
    {"topdown_p4_7x5.bmp", {"-size 7x5 gradient:red-blue -colors 16 -compress None BMP3:topdown_p4_7x5.bmp"},
     Mend::kBmpTopDown, PictureKind::kBmp, PixelFormat::kBgr24, 0, {28, 2, 4}, kNoField},

    // Same library on both sides, so the same samples are expected; a level
    // or two of slack covers a different IDCT or colour conversion.
    {"colour_33x17.jpg", {"rose: -resize 33x17! -quality 90 colour_33x17.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},
    {"subsampled_33x17.jpg", {"rose: -resize 33x17! -quality 75 -sampling-factor 2x2 subsampled_33x17.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},
    {"colour_1x1.jpg", {"rose: -resize 1x1! colour_1x1.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},
    {"grey_33x17.jpg", {"rose: -resize 33x17! -colorspace Gray grey_33x17.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},
    {"progressive_70x46.jpg", {"rose: -interlace JPEG progressive_70x46.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},
    // Written with an Adobe marker and inverted samples.
    {"cmyk_33x17.jpg", {"rose: -resize 33x17! -colorspace CMYK cmyk_33x17.jpg"},
     Mend::kNone, PictureKind::kJpeg, PixelFormat::kBgr24, 2, kNoField, kNoField},

    {"p8_33x17.pcx", {"rose: -resize 33x17! -colors 200 -type Palette PCX:p8_33x17.pcx"},
     Mend::kNone, PictureKind::kPcx8, PixelFormat::kIndexed8, 0, {3, 1, 8}, {65, 1, 1}},
    // Width 7: bytes-per-line is odd.
    {"p8_7x5.pcx", {"-size 7x5 gradient:red-blue -type Palette PCX:p8_7x5.pcx"},
     Mend::kNone, PictureKind::kPcx8, PixelFormat::kIndexed8, 0, {3, 1, 8}, {65, 1, 1}},
    {"p8_1x1.pcx", {"rose: -resize 1x1! -type Palette PCX:p8_1x1.pcx"},
     Mend::kNone, PictureKind::kPcx8, PixelFormat::kIndexed8, 0, {3, 1, 8}, {65, 1, 1}},
    // ImageMagick writes 1 bit per pixel only for a colour-mapped picture,
    // which a GIF read back gives.
    {"m1_33x17.pcx", {"rose: -resize 33x17! -monochrome m1_33x17.gif", "m1_33x17.gif PCX:m1_33x17.pcx"},
     Mend::kPcxVersion3Inverted, PictureKind::kPcxMono, PixelFormat::kMono, 0, {3, 1, 1}, {65, 1, 1}},
    {"m1_7x5.pcx", {"-size 7x5 pattern:gray50 -monochrome m1_7x5.gif", "m1_7x5.gif PCX:m1_7x5.pcx"},
     Mend::kPcxVersion3Inverted, PictureKind::kPcxMono, PixelFormat::kMono, 0, {3, 1, 1}, {65, 1, 1}},
};

uint32_t ReadField(const Bytes& bytes, const Field& field) {
  if (field.bytes == 1) return bytes[field.offset];
  if (field.bytes == 2) return picture::ReadU16Le(&bytes[field.offset]);
  return picture::ReadU32Le(&bytes[field.offset]);
}

// Rewrites a bottom-up BMP as the same picture stored top-down.
void StoreTopDown(Bytes* bmp) {
  const uint32_t offset = picture::ReadU32Le(&(*bmp)[10]);
  const int32_t width = picture::ReadI32Le(&(*bmp)[18]);
  const int32_t height = picture::ReadI32Le(&(*bmp)[22]);
  const unsigned bits = picture::ReadU16Le(&(*bmp)[28]);
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  Bytes rows(bmp->begin() + offset, bmp->begin() + offset + stride * height);
  for (int32_t y = 0; y < height; ++y) {
    std::copy(rows.begin() + stride * (height - 1 - y), rows.begin() + stride * (height - y),
              bmp->begin() + offset + stride * y);
  }
  const uint32_t negative = static_cast<uint32_t>(-height);
  for (int i = 0; i < 4; ++i) (*bmp)[22 + i] = static_cast<uint8_t>(negative >> (8 * i));
}

void CheckCase(const DecoderCase& c) {
  SCOPED_TRACE(c.name);
  std::string error;
  for (const std::string& command : c.commands) ASSERT_TRUE(picture_test::RunConvert(command, &error)) << error;

  int width = 0, height = 0;
  Bytes expected;
  ASSERT_TRUE(picture_test::DecodeWithImageMagick(c.name, &width, &height, &expected, &error)) << error;

  Bytes file;
  ASSERT_TRUE(picture_test::ReadFileBytes(picture_test::WorkDir() + "/" + c.name, &file));
  for (const Field& field : {c.field1, c.field2}) {
    if (field.bytes == 0) continue;
    ASSERT_GE(file.size(), field.offset + field.bytes);
    ASSERT_EQ(ReadField(file, field), field.value) << "field at offset " << field.offset;
  }
  if (c.mend == Mend::kBmpTopDown) StoreTopDown(&file);
  if (c.mend == Mend::kPcxVersion3Inverted) {
    file[1] = 3;
    for (uint8_t& level : expected) level = static_cast<uint8_t>(255 - level);
  }

  ASSERT_EQ(picture::RecognizePicture(file.data(), file.size()), c.kind);
  picture::Picture decoded;
  ASSERT_TRUE(picture::DecodeStillPicture(c.kind, file.data(), file.size(), &decoded));
  EXPECT_EQ(decoded.format, c.format);
  ASSERT_EQ(decoded.width, width);
  ASSERT_EQ(decoded.height, height);
  ASSERT_EQ(decoded.pixels.size(),
            static_cast<size_t>(width) * height * picture::BytesPerPixel(c.format));
  const std::string difference =
      picture_test::CompareRgb(expected, picture_test::ToRgb(decoded), width, c.tolerance);
  EXPECT_EQ(difference, "");
}

TEST(DecodeStillPicture, MatchesImageMagick) {
  if (!picture_test::HaveConvert()) {
    GTEST_SKIP() << "ImageMagick's /usr/bin/convert is missing: the pictures to compare cannot be made";
  }
  for (const DecoderCase& c : kCases) CheckCase(c);
}

}  // namespace
