// Header check, block parsing and image decoding on hand-made GIFs, good and
// broken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gif/gif_reader.h"
#include "gif/image_decoder.h"
#include "gif/pixel_rows.h"
#include "gif_fixtures.h"

namespace {

using namespace gif_test;

Bytes Take(const Bytes& bytes, size_t n) { return Bytes(bytes.begin(), bytes.begin() + n); }

TEST(GifHeader, Cases) {
  Bytes big_table = {'G', 'I', 'F', '8', '9', 'a',
                     1, 0,  // screen width
                     1, 0,  // screen height
                     0x87,  // global table, 256 entries
                     0, 0}; // background, aspect
  big_table.resize(13 + 768, 9);
  Bytes gif87 = Cat({HeaderWithoutTable(3, 4), kTrailer});
  gif87[4] = '7';
  Bytes gif88 = gif87;
  gif88[4] = '8';

  struct Case {
    const char* name;
    Bytes bytes;
    bool accepted;
    int width, height, colors;
    size_t data_size;
  } cases[] = {
      {"empty", {}, false, 0, 0, 0, 0},
      {"signature only", Take(Header(2, 2), 6), false, 0, 0, 0, 0},
      {"13 bytes", HeaderWithoutTable(2, 2), false, 0, 0, 0, 0},
      {"14 bytes without a table", Cat({HeaderWithoutTable(2, 2), kTrailer}), true, 2, 2, 0, 1},
      {"GIF87a", gif87, true, 3, 4, 0, 1},
      {"GIF88a", gif88, false, 0, 0, 0, 0},
      {"not a GIF", Cat({{'P', 'N', 'G', '8', '9', 'a'}, Take(Header(2, 2), 13)}), false, 0, 0, 0, 0},
      {"global table reaching the end", Header(2, 2), false, 0, 0, 0, 0},
      {"global table past the end", Take(Header(2, 2), 18), false, 0, 0, 0, 0},
      {"global table and one byte", Cat({Header(2, 2), kTrailer}), true, 2, 2, 2, 1},
      {"256-entry table reaching the end", big_table, false, 0, 0, 0, 0},
      {"256-entry table and one byte", Cat({big_table, kTrailer}), true, 1, 1, 256, 1},
      {"screen size is little-endian", Cat({HeaderWithoutTable(0x1234, 0xFE01), kTrailer}), true, 0x1234, 0xFE01,
       0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gif::GifReader reader;
    ASSERT_EQ(gif::OpenGif(c.bytes.data(), c.bytes.size(), &reader), c.accepted);
    if (!c.accepted) continue;
    EXPECT_EQ(reader.header.screen_width, c.width);
    EXPECT_EQ(reader.header.screen_height, c.height);
    EXPECT_EQ(reader.header.global_colors.count, c.colors);
    EXPECT_EQ(reader.data.size(), c.data_size);
    EXPECT_EQ(reader.position, 0u);
    EXPECT_EQ(reader.control.disposal, 0);
    EXPECT_EQ(reader.control.delay, 0);
    EXPECT_FALSE(reader.control.transparent);
  }
}

constexpr int kNone = -1;

// Codes 4101 zero pixels so that the table fills up and 11 codes more come
// without a clear.
Bytes OverflowingImage() {
  std::vector<Code> codes = {{4, 3}, {0, 3}};
  for (int next = 6; next < 4096 + 11; ++next) {
    int width = 3;
    while (width < 12 && next >= (1 << width)) ++width;
    codes.push_back({0, width});
  }
  codes.push_back({5, 12});
  return Cat({Descriptor(0, 0, 4101, 1, 0), {2}, SubBlocks(PackCodes(codes))});
}

// What the reader makes of whole GIFs: the first-image check, then the
// images of a fresh reader step by step (decoded pixels, or kNone when a step
// yields no image).
TEST(GifReader, BlockParsingAndBrokenData) {
  const Bytes checker = CheckerImage();
  const Bytes one_pixel = Cat({Descriptor(1, 1, 1, 1, 0), RootsOnly(2, {1})});
  const Bytes comment = {0x21, /* extension */ 0xFE, /* comment */ 3, 'a', 'b', 'c', /* sub-block */ 0 /* end */};

  struct Case {
    const char* name;
    Bytes gif;
    bool single;
    int first_decoded;
    std::vector<int> steps;
  } cases[] = {
      {"one image and the trailer: a still", Cat({Header(2, 2), checker, kTrailer}), true, 4, {4, 4, 4}},
      {"one image then a comment: animated", Cat({Header(2, 2), checker, comment, kTrailer}), false, 4, {4, 4}},
      {"two images repeat without end",
       Cat({Header(2, 2), GraphicControl(1, false, 5, 0), checker, GraphicControl(1, false, 5, 0), one_pixel,
            kTrailer}),
       false, 4, {4, 1, 4, 1, 4}},
      {"no trailer: running past the end yields nothing once", Cat({Header(2, 2), checker, one_pixel}), false, 4,
       {4, 1, kNone, 4, 1, kNone}},
      {"code above next: the partial image, then parsing goes on",
       Cat({Header(2, 2), Descriptor(0, 0, 2, 2, 0), {2}, SubBlocks(PackCodes({{4, 3}, {0, 3}, {7, 3}})), one_pixel,
            kTrailer}),
       false, 1, {1, 1, 1, 1}},
      {"sub-blocks end before the image is full",
       Cat({Header(2, 2), Descriptor(0, 0, 2, 2, 0), {2}, SubBlocks(PackCodes({{4, 3}, {1, 3}})), one_pixel,
            kTrailer}),
       false, 1, {1, 1, 1}},
      {"minimum code size 0",
       Cat({Header(2, 2), Descriptor(0, 0, 2, 2, 0), {0}, SubBlocks({0x01}), kTrailer}), true, 0, {0, 0}},
      {"minimum code size 12",
       Cat({Header(2, 2), Descriptor(0, 0, 2, 2, 0), {12}, SubBlocks({0x00, 0x10}), kTrailer}), true, 0, {0, 0}},
      {"more than 4096 codes without a clear", Cat({Header(2, 2), OverflowingImage(), kTrailer}), true, 4101,
       {4101}},
      {"data ends inside the pixel data", Cat({Header(2, 2), Take(checker, 13)}), true, 1, {1, kNone, 1, kNone}},
      {"data ends inside the local colour table",
       Cat({Header(2, 2), Descriptor(0, 0, 2, 2, kLocalTable2), {255, 0}}), true, 0, {0, kNone, 0}},
      {"data ends after the descriptor", Cat({Header(2, 2), Descriptor(0, 0, 2, 2, 0)}), true, 0, {0, kNone}},
      {"data ends inside the descriptor", Cat({Header(2, 2), Take(checker, 5)}), false, kNone, {kNone, kNone}},
      {"data ends inside an extension", Cat({Header(2, 2), checker, {0x21, 0xFE, 5, 'a'}}), false, 4,
       {4, kNone, 4, kNone}},
      {"only extensions and a trailer", Cat({Header(2, 2), GraphicControl(0, false, 7, 0), comment, kTrailer}),
       false, kNone, {kNone, kNone, kNone}},
      {"only the trailer", Cat({Header(2, 2), kTrailer}), true, kNone, {kNone, kNone}},
      {"an unknown block byte ends the pass",
       Cat({Header(2, 2), checker, {0x99}, one_pixel, kTrailer}), false, 4, {4, kNone, 4, kNone}},
      {"an unknown extension label is skipped",
       Cat({Header(2, 2), {0x21, /* extension */ 0x99, /* unknown label */ 2, 7, 7, /* sub-block */ 0 /* end */},
            checker, kTrailer}),
       true, 4, {4, 4}},
      {"a zero byte sends parsing back like a trailer",
       Cat({Header(2, 2), checker, {0x00}, one_pixel, kTrailer}), false, 4, {4, 4, 4}},
      {"zero-size image",
       Cat({Header(2, 2), Descriptor(0, 0, 0, 2, 0), {2}, SubBlocks(PackCodes({{4, 3}, {5, 3}})), kTrailer}), true,
       0, {0, 0}},
      {"image above the size cap is read as size 0",
       Cat({Header(2, 2), Descriptor(0, 0, 0xFFFF, 0xFFFF, 0), RootsOnly(2, {1, 1}), kTrailer}), true, 0, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gif::GifReader reader;
    ASSERT_TRUE(gif::OpenGif(c.gif.data(), c.gif.size(), &reader));
    gif::GifImage image;
    const gif::FirstImage first = gif::ReadFirstImage(reader, &image);
    EXPECT_EQ(first.single, c.single);
    EXPECT_EQ(first.has_image, c.first_decoded != kNone);
    if (first.has_image) {
      EXPECT_EQ(static_cast<int>(image.decoded), c.first_decoded);
    }
    if (!first.single) {
      EXPECT_EQ(reader.position, 0u);
    }

    ASSERT_TRUE(gif::OpenGif(c.gif.data(), c.gif.size(), &reader));
    std::vector<int> steps;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      steps.push_back(gif::ReadNextImage(reader, &image) ? static_cast<int>(image.decoded) : kNone);
      EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height);
    }
    EXPECT_EQ(steps, c.steps);
  }
}

TEST(GifReader, ImageFieldsAndColours) {
  const Bytes local_table = {
      10, 20, 30,  // colour 0
      40, 50, 60,  // colour 1
  };
  const Bytes gif = Cat({
      Header(8, 8),
      GraphicControl(3, true, 0x0102, 1),
      Cat({Descriptor(5, 6, 2, 2, kLocalTable2), local_table}), RootsOnly(2, {0, 1, 1, 0}),
      // No extension: the values of the last one stay.
      Descriptor(1, 2, 1, 1, 0), RootsOnly(2, {1}),
      // A graphic control block shorter than 4 bytes sets nothing.
      {0x21, /* extension */ 0xF9, /* graphic control */ 3, 0x08, 9, 9, /* short block */ 0 /* end */},
      Descriptor(0, 0, 1, 1, 0), RootsOnly(2, {0}),
      // A transparent index past the table: its colour is black.
      GraphicControl(2, true, 0, 5),
      Descriptor(0, 0, 1, 1, 0), RootsOnly(2, {0}),
      kTrailer,
  });
  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(gif.data(), gif.size(), &reader));
  gif::GifImage image;

  ASSERT_TRUE(gif::ReadNextImage(reader, &image));
  EXPECT_EQ(image.left, 5);
  EXPECT_EQ(image.top, 6);
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, (Bytes{0, 1, 1, 0}));
  EXPECT_EQ(image.decoded, 4u);
  EXPECT_EQ(image.colors.count, 2);
  EXPECT_TRUE((image.colors.colors[1] == gif::Rgb{40, 50, 60}));
  EXPECT_TRUE((image.colors.colors[2] == gif::Rgb{0, 0, 0}));  // past the table
  EXPECT_EQ(image.disposal, 3);
  EXPECT_EQ(image.delay, 0x0102);
  EXPECT_TRUE(image.transparent);
  EXPECT_EQ(image.transparent_index, 1);
  EXPECT_TRUE((image.transparent_color == gif::Rgb{40, 50, 60}));

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "image without an extension" : "image after a short extension");
    ASSERT_TRUE(gif::ReadNextImage(reader, &image));
    EXPECT_EQ(image.colors.count, 2);  // the global table
    EXPECT_TRUE((image.colors.colors[1] == gif::Rgb{255, 255, 255}));
    EXPECT_EQ(image.disposal, 3);
    EXPECT_EQ(image.delay, 0x0102);
    EXPECT_TRUE((image.transparent_color == gif::Rgb{255, 255, 255}));
  }

  ASSERT_TRUE(gif::ReadNextImage(reader, &image));
  EXPECT_EQ(image.disposal, 2);
  EXPECT_TRUE((image.transparent_color == gif::Rgb{0, 0, 0}));
}

TEST(GifReader, NoColourTableAtAllGivesBlackAndWhite) {
  const Bytes gif = Cat({HeaderWithoutTable(3, 1), Descriptor(0, 0, 3, 1, 0), RootsOnly(2, {0, 1, 2}), kTrailer});
  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(gif.data(), gif.size(), &reader));
  gif::GifImage image;
  ASSERT_TRUE(gif::ReadNextImage(reader, &image));
  EXPECT_EQ(image.colors.count, 2);
  EXPECT_TRUE((image.colors.colors[0] == gif::Rgb{0, 0, 0}));
  EXPECT_TRUE((image.colors.colors[1] == gif::Rgb{255, 255, 255}));
  EXPECT_TRUE((image.colors.colors[2] == gif::Rgb{0, 0, 0}));
}

// Interlaced rows arrive in the order 0, 8, 16...; 4, 12...; 2, 6...;
// 1, 3, 5... Each pixel here codes the display row it belongs to.
TEST(GifReader, InterlacedRowsInFourPassOrder) {
  const Bytes coded = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
  const Bytes gif = Cat({Header(1, 10), Descriptor(0, 0, 1, 10, kInterlaced), RootsOnly(4, coded), kTrailer});
  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(gif.data(), gif.size(), &reader));
  gif::GifImage image;
  ASSERT_TRUE(gif::ReadNextImage(reader, &image));
  EXPECT_EQ(image.pixels, (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (int y = 0; y < 10; ++y) EXPECT_EQ(coded[gif::CodedRowOf(y, 10, true)], y);

  // Every height places each coded row exactly once.
  for (int height = 1; height <= 20; ++height) {
    std::vector<int> seen(height, 0);
    for (int y = 0; y < height; ++y) {
      const int row = gif::CodedRowOf(y, height, true);
      ASSERT_GE(row, 0);
      ASSERT_LT(row, height);
      ++seen[row];
    }
    EXPECT_EQ(seen, std::vector<int>(height, 1)) << "height " << height;
  }

  // Three pixels decoded: display rows 0, 8 and 4 are there, the rest not.
  image.decoded = 3;
  for (int y = 0; y < 10; ++y) EXPECT_EQ(gif::DecodedColumns(image, y), y == 0 || y == 8 || y == 4 ? 1 : 0) << y;
}

TEST(GifReader, DecodedColumnsOfAPartialRow) {
  gif::GifImage image;
  image.width = 4;
  image.height = 3;
  image.pixels.assign(12, 0);
  image.decoded = 6;
  EXPECT_EQ(gif::DecodedColumns(image, 0), 4);
  EXPECT_EQ(gif::DecodedColumns(image, 1), 2);
  EXPECT_EQ(gif::DecodedColumns(image, 2), 0);
  EXPECT_EQ(gif::DecodedColumns(image, 3), 0);
  EXPECT_EQ(gif::DecodedColumns(image, -1), 0);
}

}  // namespace
