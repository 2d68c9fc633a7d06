// Composition on hand-made GIFs: transparency, disposal, clipping, partial
// images and delays, one step at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gif/gif_compositor.h"
#include "gif_fixtures.h"

namespace {

using namespace gif_test;

// Descriptor flags for a local table of 4 entries, followed by the table.
constexpr uint8_t kLocalTable4 = 0x81;
const Bytes kRedGreenRedBlue = {
    255, 0, 0,  // 0: red
    0, 255, 0,  // 1: green
    255, 0, 0,  // 2: red again, under another index
    0, 0, 255,  // 3: blue
};

Bytes Image(int left, int top, int width, int height, const std::vector<uint8_t>& pixels) {
  return Cat({Descriptor(left, top, width, height, kLocalTable4), kRedGreenRedBlue, RootsOnly(2, pixels)});
}

// The canvas as rows of letters separated by '/': W white, R red, G green,
// B blue, ? anything else.
std::string Letters(const Canvas& canvas) {
  std::string out;
  for (int y = 0; y < canvas.height; ++y) {
    if (y > 0) out += '/';
    for (int x = 0; x < canvas.width; ++x) {
      const std::string hex = PixelHex(canvas, x, y);
      out += hex == "FFFFFF" ? 'W' : hex == "FF0000" ? 'R' : hex == "00FF00" ? 'G' : hex == "0000FF" ? 'B' : '?';
    }
  }
  return out;
}

struct Step {
  bool has_image;
  std::string canvas;  // after the step
  unsigned delay_ms;
};

TEST(GifCompositor, Cases) {
  struct Case {
    const char* name;
    Bytes gif;
    std::vector<Step> steps;
  } cases[] = {
      {"transparency compares colours, not indexes",
       Cat({Header(3, 1), GraphicControl(1, true, 0, 0), Image(0, 0, 3, 1, {0, 1, 2}), kTrailer}),
       {{true, "WGW", 50}, {true, "WGW", 50}}},
      {"disposal 3 restores what was under the image",
       Cat({Header(3, 1), GraphicControl(1, false, 2, 0), Image(0, 0, 3, 1, {1, 1, 1}),
            GraphicControl(3, false, 3, 0), Image(1, 0, 1, 1, {3}),
            GraphicControl(1, false, 4, 0), Image(2, 0, 1, 1, {0}), kTrailer}),
       {{true, "GGG", 20}, {true, "GBG", 30}, {true, "GGR", 40}, {true, "GGG", 20}}},
      // The GIF standard would clear the area to the background; the preview
      // restores it like disposal 3.
      {"disposal 2 restores what was under the image too",
       Cat({Header(3, 1), GraphicControl(1, false, 0, 0), Image(0, 0, 3, 1, {1, 1, 1}),
            GraphicControl(2, false, 0, 0), Image(1, 0, 1, 1, {3}),
            GraphicControl(1, false, 0, 0), Image(2, 0, 1, 1, {0}), kTrailer}),
       {{true, "GGG", 50}, {true, "GBG", 50}, {true, "GGR", 50}}},
      {"a restore happens even when the next step yields no image",
       Cat({Header(2, 1), GraphicControl(3, false, 1, 0), Image(0, 0, 1, 1, {1}), {0x99}}),
       {{true, "GW", 10}, {false, "WW", 10}, {true, "GW", 10}}},
      {"transparent pixels of a disposal-3 image are restored as they were",
       Cat({Header(3, 1), GraphicControl(1, false, 0, 0), Image(0, 0, 3, 1, {3, 3, 3}),
            GraphicControl(3, true, 0, 1), Image(0, 0, 3, 1, {1, 0, 1}), kTrailer}),
       {{true, "BBB", 50}, {true, "BRB", 50}, {true, "BBB", 50}}},
      // Parts outside the logical screen are neither drawn nor saved.
      {"image partly outside the screen is clipped",
       Cat({Header(4, 2), GraphicControl(3, false, 0, 0), Image(3, 1, 2, 2, {1, 1, 1, 1}),
            GraphicControl(1, false, 0, 0), Image(0, 0, 1, 1, {3}), kTrailer}),
       {{true, "WWWW/WWWG", 50}, {true, "BWWW/WWWW", 50}}},
      // Beside the screen, with rows inside it: the saved area is empty.
      {"image wholly outside the screen draws nothing",
       Cat({Header(2, 1), GraphicControl(3, false, 0, 0), Image(2, 0, 2, 1, {1, 1}),
            Image(0xFFFF, 0xFFFF, 2, 2, {1, 1, 1, 1}), kTrailer}),
       {{true, "WW", 50}, {true, "WW", 50}, {true, "WW", 50}}},
      {"pixels not decoded leave the canvas as it was",
       Cat({Header(2, 2), GraphicControl(1, false, 0, 0), Image(0, 0, 2, 2, {1, 1, 1, 1}),
            Descriptor(0, 0, 2, 2, kLocalTable4), kRedGreenRedBlue,
            {2},                                            // minimum code size
            // Two blue pixels, then clear codes up to the last whole byte
            // (padding bits would read as more pixels), and no end code.
            SubBlocks(PackCodes({{4, 3}, {3, 3}, {3, 3}, {4, 3}, {4, 3}})),
            kTrailer}),
       {{true, "GG/GG", 50}, {true, "BB/GG", 50}}},
      {"zero-size image",
       Cat({Header(2, 1), GraphicControl(3, false, 0, 0), Image(0, 0, 0, 0, {}), kTrailer}),
       {{true, "WW", 50}, {true, "WW", 50}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gif::GifReader reader;
    ASSERT_TRUE(gif::OpenGif(c.gif.data(), c.gif.size(), &reader));
    Canvas canvas = WhiteCanvas(reader.header.screen_width, reader.header.screen_height);
    gif::Compositor compositor;
    gif::StartCompositor(&compositor);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      SCOPED_TRACE("step " + std::to_string(i + 1));
      const gif::FrameStep step = gif::ComposeNextFrame(reader, compositor, canvas.View());
      EXPECT_EQ(step.has_image, c.steps[i].has_image);
      EXPECT_EQ(Letters(canvas), c.steps[i].canvas);
      EXPECT_EQ(step.delay_ms, c.steps[i].delay_ms);
    }
  }
}

TEST(GifCompositor, PixelLayoutIsBlueGreenRedUnused) {
  const Bytes gif = Cat({Header(2, 1), Descriptor(0, 0, 1, 1, kLocalTable4),
                         Bytes{1, 2, 3, /* colour 0 */ 0, 0, 0, 0, 0, 0, 0, 0, 0 /* 1-3 */}, RootsOnly(2, {0}),
                         kTrailer});
  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(gif.data(), gif.size(), &reader));
  Canvas canvas = WhiteCanvas(2, 1);
  EXPECT_EQ(canvas.bits, (Bytes{255, 255, 255, 0, 255, 255, 255, 0}));
  gif::Compositor compositor;
  gif::StartCompositor(&compositor);
  gif::ComposeNextFrame(reader, compositor, canvas.View());
  EXPECT_EQ(canvas.bits, (Bytes{3, 2, 1, 0, 255, 255, 255, 0}));
}

TEST(GifCompositor, StillImageIgnoresPositionAndTransparency) {
  const Bytes gif = Cat({Header(9, 9), GraphicControl(0, true, 0, 1), Image(5, 5, 2, 2, {1, 3, 1}), kTrailer});
  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(gif.data(), gif.size(), &reader));
  gif::GifImage image;
  const gif::FirstImage first = gif::ReadFirstImage(reader, &image);
  ASSERT_TRUE(first.single);
  ASSERT_TRUE(first.has_image);
  Canvas canvas;
  canvas.width = image.width;
  canvas.height = image.height;
  canvas.bits.assign(gif::CanvasByteCount(image.width, image.height), 0);
  gif::DrawStillImage(image, canvas.View());
  // Three pixels were coded before the end code; the fourth stays white.
  EXPECT_EQ(Letters(canvas), "GB/GW");
}

TEST(GifCompositor, DelaysAndCanvasSizes) {
  EXPECT_EQ(gif::FrameDelayMs(gif::GraphicControl{0, false, 0, 0}), 50u);
  EXPECT_EQ(gif::FrameDelayMs(gif::GraphicControl{0, false, 1, 0}), 10u);
  EXPECT_EQ(gif::FrameDelayMs(gif::GraphicControl{0, false, 0xFFFF, 0}), 655350u);

  EXPECT_EQ(gif::CanvasByteCount(3, 2), 24u);
  EXPECT_EQ(gif::CanvasByteCount(0, 2), 0u);
  EXPECT_EQ(gif::CanvasByteCount(2, 0), 0u);
  EXPECT_EQ(gif::CanvasByteCount(8192, 8192), size_t{8192} * 8192 * 4);
  EXPECT_EQ(gif::CanvasByteCount(0xFFFF, 0xFFFF), 0u);
}

}  // namespace
