// Which image of an icon or cursor file the preview takes, and what is
// handed on to make the icon from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/byte_order.h"
#include "picture/icon_directory.h"
#include "picture/recognize.h"
#include "picture_test_support.h"

namespace {

using picture_test::Bytes;

// 16-byte directory entry.
Bytes Entry(uint8_t width, uint8_t height, uint8_t colours, uint16_t bits, uint32_t size, uint32_t offset) {
  return {
      width, height,                  // 0 stands for 256
      colours, 0,                     // colour count, reserved
      1, 0,                           // planes (hot spot x in cursors)
      static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),  // (hot spot y in cursors)
      static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),  // dwBytesInRes
      static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24),
      static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),  // dwImageOffset
      static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24),
  };
}

// A 40-byte BITMAPINFOHEADER standing for the image; height counts the
// colour image and the mask.
Bytes InfoHeader(int32_t width, int32_t height, uint16_t bits) {
  Bytes h(40, 0);
  h[0] = 40;  // biSize
  for (int i = 0; i < 4; ++i) {
    h[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (8 * i));
    h[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
  }
  h[12] = 1;  // biPlanes
  h[14] = static_cast<uint8_t>(bits);
  h[15] = static_cast<uint8_t>(bits >> 8);
  return h;
}

// The start of a PNG file: signature and IHDR chunk (width, height; the rest
// is not read).
Bytes PngStart(uint32_t width, uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,  // signature
               0, 0, 0, 13, 'I', 'H', 'D', 'R'};             // chunk length, type
  for (int i = 3; i >= 0; --i) png.push_back(static_cast<uint8_t>(width >> (8 * i)));
  for (int i = 3; i >= 0; --i) png.push_back(static_cast<uint8_t>(height >> (8 * i)));
  png.insert(png.end(), {8, 6, 0, 0, 0});  // depth, colour type, methods
  return png;
}

Bytes Directory(uint16_t type, uint16_t count) {
  return {0, 0,  // reserved
          static_cast<uint8_t>(type), static_cast<uint8_t>(type >> 8),
          static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8)};
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Three entries, images right after the directory at 54, 94 and 134:
// 16 x 16 with 16 colours, 32 x 32 with 16 colours, 48 x 48 with 256 colours.
const Bytes kThreeIcons = Join({
    Directory(1, 3),
    Entry(16, 16, 16, 4, 40, 54),
    Entry(32, 32, 16, 4, 40, 94),
    Entry(48, 48, 0, 8, 40, 134),
    InfoHeader(16, 32, 4),
    InfoHeader(32, 64, 4),
    InfoHeader(48, 96, 8),
});

struct Case {
  std::string name;
  Bytes file;
  bool ok;
  size_t offset;  // of the image taken
  size_t size;
  int width, height, bit_count;
  bool is_png;
};

Bytes Patched(Bytes bytes, size_t offset, int count, uint32_t value) {
  for (int i = 0; i < count; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  return bytes;
}

TEST(ChooseIconImage, Table) {
  const Case cases[] = {
      {"32 x 32 with 16 colours wins", kThreeIcons, true, 94, 40, 32, 32, 4, false},
      {"cursor file, same rule", Patched(kThreeIcons, 2, 2, 2), true, 94, 40, 32, 32, 4, false},
      {"16 colours too few bits: 8 colours, last taken", Patched(kThreeIcons, 6 + 16 + 2, 1, 8), true, 134, 40,
       48, 48, 8, false},
      {"more colours count too", Patched(kThreeIcons, 6 + 16 + 2, 1, 200), true, 94, 40, 32, 32, 4, false},
      {"first of two matches", Patched(Patched(kThreeIcons, 6, 1, 32), 6 + 16 + 16, 1, 32), true, 54, 40, 16, 16, 4,
       false},
      {"no match: last entry", Join({Directory(1, 2), Entry(16, 16, 0, 32, 40, 38), Entry(48, 48, 0, 32, 40, 78),
                                     InfoHeader(16, 32, 32), InfoHeader(48, 96, 32)}),
       true, 78, 40, 48, 48, 32, false},
      // Only entries inside the data count: the third is cut off, so the
      // second is the last one; the images are placed after the cut.
      {"entries past the data", Join({Directory(1, 3), Entry(16, 16, 0, 32, 40, 38), Entry(24, 24, 0, 32, 40, 38),
                                      Bytes{0, 0, 0, 0}}),
       false, 0, 0, 0, 0, 0, false},
      // Nine entries announced, one present; the image bytes after it read
      // as two more entries, but the first entry already matches.
      {"count larger than the entries present",
       Join({Directory(1, 9), Entry(32, 32, 16, 4, 40, 22), InfoHeader(32, 64, 4)}), true, 22, 40, 32, 32, 4,
       false},
      // The height counts image and mask; odd heights truncate.
      {"odd height", Join({Directory(1, 1), Entry(16, 16, 0, 32, 40, 22), InfoHeader(16, 33, 32)}), true, 22, 40, 16,
       16, 32, false},
      {"PNG image", Join({Directory(1, 1), Entry(0, 0, 0, 32, 29, 22), PngStart(256, 128)}), true, 22, 29, 256, 128,
       0, true},

      {"reserved word 1", Patched(kThreeIcons, 0, 2, 1), false, 0, 0, 0, 0, 0, false},
      {"type 3", Patched(kThreeIcons, 2, 2, 3), false, 0, 0, 0, 0, 0, false},
      {"count 0", Patched(kThreeIcons, 4, 2, 0), false, 0, 0, 0, 0, 0, false},
      {"directory header only", Directory(1, 1), false, 0, 0, 0, 0, 0, false},
      {"entry one byte short", Join({Directory(1, 1), Bytes(15, 0)}), false, 0, 0, 0, 0, 0, false},
      {"image one byte past the end", Patched(kThreeIcons, 6 + 16 + 12, 4, 135), false, 0, 0, 0, 0, 0, false},
      {"image offset past the end", Patched(kThreeIcons, 6 + 16 + 12, 4, 175), false, 0, 0, 0, 0, 0, false},
      // Offset + size is 0x100000018 - wraps to 24 in 32 bits.
      {"offset plus size wraps", Patched(Patched(kThreeIcons, 6 + 16 + 12, 4, 0xFFFFFFF0), 6 + 16 + 8, 4, 0x28),
       false, 0, 0, 0, 0, 0, false},
      {"size 0xFFFFFFFF", Patched(kThreeIcons, 6 + 16 + 8, 4, 0xFFFFFFFF), false, 0, 0, 0, 0, 0, false},
      // The chosen image is bad: no other entry is tried.
      {"image shorter than an info header", Patched(kThreeIcons, 6 + 16 + 8, 4, 39), false, 0, 0, 0, 0, 0, false},
      {"width 0", Patched(kThreeIcons, 94 + 4, 4, 0), false, 0, 0, 0, 0, 0, false},
      {"negative height", Patched(kThreeIcons, 94 + 8, 4, 0xFFFFFFC0), false, 0, 0, 0, 0, 0, false},
      {"height 1 halves to 0", Patched(kThreeIcons, 94 + 8, 4, 1), false, 0, 0, 0, 0, 0, false},
      {"width past 65535", Patched(kThreeIcons, 94 + 4, 4, 65536), false, 0, 0, 0, 0, 0, false},
      {"PNG without IHDR", Join({Directory(1, 1), Entry(0, 0, 0, 32, 29, 22), Patched(PngStart(16, 16), 12, 1, 'X')}),
       false, 0, 0, 0, 0, 0, false},
      {"PNG cut before its height", Join({Directory(1, 1), Entry(0, 0, 0, 32, 23, 22), PngStart(16, 16)}), false, 0,
       0, 0, 0, 0, false},
      {"PNG of 2^31 x 1", Join({Directory(1, 1), Entry(0, 0, 0, 32, 29, 22), PngStart(0x80000000u, 1)}), false, 0,
       0, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = c.file;  // exact heap copy
    picture::IconImage image;
    const bool ok = picture::ChooseIconImage(file.data(), file.size(), &image);
    ASSERT_EQ(ok, c.ok);
    if (!ok) continue;
    EXPECT_EQ(image.offset, c.offset);
    EXPECT_EQ(image.bytes, file.data() + c.offset);
    EXPECT_EQ(image.size, c.size);
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.bit_count, c.bit_count);
    EXPECT_EQ(image.is_png, c.is_png);
  }
}

// Icon files written by ImageMagick: the image taken is the expected
// entry's, and its header says the same size as ImageMagick's directory.
TEST(ChooseIconImage, ImageMagickIcons) {
  if (!picture_test::HaveConvert()) {
    GTEST_SKIP() << "ImageMagick's /usr/bin/convert is missing: the icons to test cannot be made";
  }
  struct IconCase {
    const char* name;
    std::string command;
    int entry;  // index of the entry expected to be taken
    int width, height, bit_count;
    bool is_png;
  } cases[] = {
      // 16 x 16 and 32 x 32 with 16 colours, 48 x 48 with more.
      {"sizes16_32_48.ico",
       "rose: -resize 48x48! -write mpr:rose +delete "
       "\\( mpr:rose -resize 16x16 -colors 16 \\) \\( mpr:rose -resize 32x32 -colors 16 \\) "
       "\\( mpr:rose -colors 200 \\) sizes16_32_48.ico",
       1, 32, 32, 4, false},
      // True-colour entries have a colour count of 0: the last is taken.
      {"auto16_32_48.ico", "rose: -resize 48x48! -define icon:auto-resize=16,32,48 auto16_32_48.ico", 2, 48, 48, 32,
       false},
      // ImageMagick stores 256 x 256 entries as PNG.
      {"auto16_256.ico", "rose: -resize 64x64! -define icon:auto-resize=16,256 auto16_256.ico", 1, 256, 256, 0, true},
  };
  for (const IconCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    ASSERT_TRUE(picture_test::RunConvert(c.command, &error)) << error;
    Bytes file;
    ASSERT_TRUE(picture_test::ReadFileBytes(picture_test::WorkDir() + "/" + c.name, &file));
    ASSERT_EQ(picture::RecognizePicture(file.data(), file.size()), picture::PictureKind::kIcon);
    picture::IconImage image;
    ASSERT_TRUE(picture::ChooseIconImage(file.data(), file.size(), &image));
    const uint8_t* entry = &file[6 + 16 * c.entry];
    EXPECT_EQ(image.offset, picture::ReadU32Le(entry + 12));
    EXPECT_EQ(image.size, picture::ReadU32Le(entry + 8));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.bit_count, c.bit_count);
    EXPECT_EQ(image.is_png, c.is_png);
    // The directory's own size bytes agree (0 stands for 256).
    EXPECT_EQ(entry[0] == 0 ? 256 : entry[0], c.width);
    EXPECT_EQ(entry[1] == 0 ? 256 : entry[1], c.height);
  }
}

}  // namespace
