// GIFs written by ImageMagick at run time, composed step by step and compared
// pixel for pixel with ImageMagick's own coalesced frames.
//
// Our canvas starts white. ImageMagick starts its coalescing canvas with the
// GIF's background colour, so it is told to use white instead
// (-set background white), and it clears the area of a disposal-2 frame to
// transparent, which is expected white here too. That makes disposal 2 agree
// (we restore what was under the frame) wherever what was under was never
// drawn; where it was drawn, the expected frames come from the same GIF
// written with disposal 3.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gif/gif_compositor.h"
#include "gif/gif_reader.h"
#include "gif_test_support.h"

namespace {

using namespace gif_test;

struct Rgba {
  uint8_t r, g, b, a;
};

// Writes a width x height PNG named name from a pixel function, via a raw
// RGBA file, so that every colour is known exactly.
template <typename PixelFunction>
bool MakePng(const std::string& dir, const std::string& name, int width, int height, PixelFunction pixel) {
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba p = pixel(x, y);
      raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
    }
  }
  const std::string raw_path = dir + "/" + name + ".rgba";
  return WriteFile(raw_path, raw) && RunShell("convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                                         " -depth 8 rgba:" + raw_path + " " + dir + "/" + name + ".png");
}

// A fixed pseudo-random sequence, so the noisy frames are the same every run.
uint32_t Noise(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 73856093u ^ y * 19349663u ^ seed * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

class ImageMagickGifs : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!HaveConvert()) return;
    dir_ = WorkDir() + "/imagemagick_gifs";
    RunShell("mkdir -p " + dir_);
    // 8 x 6 opaque frames with different colours (so later frames get local
    // tables), small 4 x 3 frames, and noisy frames of up to 256 colours whose
    // LZW codes grow to 12 bits and need clear codes.
    ready_ =
        MakePng(dir_, "a", 8, 6, [](int x, int y) { return Rgba{uint8_t(255 * (x % 2)), uint8_t(40 * y), 200, 255}; }) &&
        MakePng(dir_, "b", 8, 6,
                [](int x, int y) { return Rgba{10, uint8_t((x + y) % 3 == 0 ? 255 : 0), uint8_t(30 * x), 255}; }) &&
        MakePng(dir_, "c", 8, 6, [](int x, int y) { return Rgba{uint8_t(20 * x + 5 * y), 90, 30, 255}; }) &&
        MakePng(dir_, "s", 4, 3, [](int x, int y) { return Rgba{uint8_t(30 + 50 * x), 200, uint8_t(60 * y), 255}; }) &&
        // Transparent pixels alternate with red ones.
        MakePng(dir_, "t", 4, 3,
                [](int x, int y) { return (x + y) % 2 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 0, 0}; }) &&
        // A full-size frame with a transparent band.
        MakePng(dir_, "u", 8, 6,
                [](int x, int y) { return y == 2 || x == 5 ? Rgba{0, 0, 0, 0} : Rgba{40, 120, uint8_t(30 * x), 255}; }) &&
        MakePng(dir_, "n", 90, 70,
                [](int x, int y) {
                  const uint8_t i = uint8_t(Noise(x, y, 1));
                  return Rgba{i, uint8_t(255 - i), uint8_t(i * 7), 255};
                }) &&
        MakePng(dir_, "m", 90, 70, [](int x, int y) {
          const uint8_t i = uint8_t(Noise(x, y, 2) % 200);
          return Rgba{uint8_t(i / 2), uint8_t(i * 3), uint8_t(255 - i), 255};
        });
  }

  void SetUp() override {
    if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed; GIFs cannot be written";
    ASSERT_TRUE(ready_) << "convert failed to write the test frames in " << dir_;
  }

  static std::string dir_;
  static bool ready_;
};

std::string ImageMagickGifs::dir_;
bool ImageMagickGifs::ready_ = false;

// What a case's GIF must contain, so that it tests what it says.
enum Feature : unsigned {
  kInterlace = 1,
  kLocalTable = 2,
  kTransparency = 4,
  kDisposal2 = 8,
  kDisposal3 = 16,
  kOffset = 32,
  kOutsideScreen = 64,
};

unsigned FeaturesOf(gif::GifReader reader, size_t frames) {
  unsigned found = 0;
  gif::GifImage image;
  for (size_t i = 0; i < frames && gif::ReadNextImage(reader, &image); ++i) {
    const gif::ColorTable& global = reader.header.global_colors;
    bool same_table = image.colors.count == global.count;
    for (int c = 0; c < 256 && same_table; ++c) same_table = image.colors.colors[c] == global.colors[c];
    if (image.interlaced) found |= kInterlace;
    if (!same_table) found |= kLocalTable;
    if (image.transparent) found |= kTransparency;
    if (image.disposal == 2) found |= kDisposal2;
    if (image.disposal == 3) found |= kDisposal3;
    if (image.left > 0 || image.top > 0) found |= kOffset;
    if (image.left + image.width > reader.header.screen_width ||
        image.top + image.height > reader.header.screen_height) {
      found |= kOutsideScreen;
    }
  }
  return found;
}

std::string Hex(const uint8_t* rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
  return text;
}

struct AnimationCase {
  const char* name;
  const char* make;       // convert arguments before the output name, run in the work folder
  const char* reference;  // a GIF whose coalesced frames are expected; nullptr: the GIF itself
  std::vector<unsigned> delays_ms;
  unsigned features;
};

void CheckAnimation(const std::string& dir, const AnimationCase& c) {
  const std::string gif_path = dir + "/case.gif", frames_path = dir + "/case.rgba";
  ASSERT_TRUE(RunShell("cd " + dir + " && convert " + c.make + " case.gif"));
  if (c.reference != nullptr) {
    ASSERT_TRUE(RunShell("cd " + dir + " && convert " + c.reference + " reference.gif"));
  }
  const std::string expected_gif = c.reference != nullptr ? dir + "/reference.gif" : gif_path;
  ASSERT_TRUE(RunShell("convert " + expected_gif + " -set background white -coalesce -depth 8 rgba:" + frames_path));
  Bytes bytes, expected;
  ASSERT_TRUE(ReadFile(gif_path, &bytes));
  ASSERT_TRUE(ReadFile(frames_path, &expected));

  gif::GifReader reader;
  ASSERT_TRUE(gif::OpenGif(bytes.data(), bytes.size(), &reader));
  const int width = reader.header.screen_width, height = reader.header.screen_height;
  const size_t frame_bytes = size_t(width) * height * 4;
  ASSERT_EQ(expected.size(), frame_bytes * c.delays_ms.size()) << "ImageMagick's frame count or screen size";
  EXPECT_EQ(FeaturesOf(reader, c.delays_ms.size()) & c.features, c.features) << "the GIF lacks what the case tests";

  gif::GifImage first;
  EXPECT_FALSE(gif::ReadFirstImage(reader, &first).single);
  ASSERT_EQ(reader.position, 0u);

  Canvas canvas = WhiteCanvas(width, height);
  gif::Compositor compositor;
  gif::StartCompositor(&compositor);
  for (size_t f = 0; f < c.delays_ms.size(); ++f) {
    SCOPED_TRACE("frame " + std::to_string(f + 1));
    const gif::FrameStep step = gif::ComposeNextFrame(reader, compositor, canvas.View());
    ASSERT_TRUE(step.has_image);
    EXPECT_EQ(step.delay_ms, c.delays_ms[f]);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint8_t* e = expected.data() + f * frame_bytes + (size_t(y) * width + x) * 4;
        ASSERT_TRUE(e[3] == 0 || e[3] == 255) << "GIF pixels are opaque or transparent";
        static const uint8_t kWhite[3] = {255, 255, 255};
        const std::string want = Hex(e[3] == 0 ? kWhite : e);
        const std::string got = PixelHex(canvas, x, y);
        if (got != want && ++mismatches <= 5) ADD_FAILURE() << "at " << x << "," << y << ": want " << want << ", got " << got;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
  // The images repeat: the first one comes again, with its own delay.
  const gif::FrameStep again = gif::ComposeNextFrame(reader, compositor, canvas.View());
  EXPECT_TRUE(again.has_image);
  EXPECT_EQ(again.delay_ms, c.delays_ms[0]);
}

TEST_F(ImageMagickGifs, AnimationsMatchCoalescedFrames) {
  const AnimationCase cases[] = {
      {"delays 20, 20 and 0", "-delay 20 a.png -delay 20 b.png -delay 0 c.png", nullptr, {200, 200, 50}, kLocalTable},
      {"interlaced frames", "-interlace GIF -delay 10 n.png a.png", nullptr, {100, 100}, kInterlace},
      {"local colour tables of many colours", "-delay 5 n.png m.png a.png", nullptr, {50, 50, 50}, kLocalTable},
      {"transparent areas of the first frame show white", "-delay 3 u.png b.png", nullptr, {30, 30},
       kTransparency},
      {"transparency over earlier frames", "-dispose None -delay 7 a.png -page +2+1 t.png -page +3+2 t.png", nullptr,
       {70, 70, 70}, kTransparency | kOffset},
      {"disposal 3 restores the previous canvas",
       "-dispose None a.png -dispose Previous -page +2+1 t.png -page +1+2 s.png -dispose None -page +4+3 t.png",
       nullptr, {50, 50, 50, 50}, kDisposal3 | kTransparency | kOffset},
      {"disposal 2 on a canvas that was never drawn",
       "-dispose Background -page 12x10+0+0 s.png -page +5+4 t.png -page +2+6 s.png", nullptr, {50, 50, 50},
       kDisposal2 | kOffset},
      // The preview treats disposal 2 like 3, so the expected frames are those
      // of the same animation with disposal 3.
      {"disposal 2 over a picture restores it like disposal 3",
       "-dispose None a.png -dispose Background -page +2+1 s.png -dispose None -page +4+3 t.png",
       "-dispose None a.png -dispose Previous -page +2+1 s.png -dispose None -page +4+3 t.png", {50, 50, 50},
       kDisposal2},
      {"frames reaching past the screen are clipped",
       "-dispose None -page 12x10+0+0 s.png -page +10+8 s.png -dispose Previous -page +9+0 t.png -page +0+9 s.png",
       nullptr, {50, 50, 50, 50}, kOutsideScreen | kDisposal3},
  };
  for (const AnimationCase& c : cases) {
    SCOPED_TRACE(c.name);
    CheckAnimation(dir_, c);
  }
}

// A GIF of one image is a still: its picture is the image itself, of its own
// size, drawn without transparency.
TEST_F(ImageMagickGifs, StillsMatchDecodedImage) {
  const struct {
    const char* name;
    const char* make;
  } cases[] = {
      {"small still", "a.png"},
      {"noisy still with 12-bit codes", "n.png"},
      {"interlaced still", "-interlace GIF m.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(RunShell("cd " + dir_ + " && convert " + c.make + " still.gif && convert still.gif -depth 8 rgb:still.rgb"));
    Bytes bytes, expected;
    ASSERT_TRUE(ReadFile(dir_ + "/still.gif", &bytes));
    ASSERT_TRUE(ReadFile(dir_ + "/still.rgb", &expected));
    gif::GifReader reader;
    ASSERT_TRUE(gif::OpenGif(bytes.data(), bytes.size(), &reader));
    gif::GifImage image;
    const gif::FirstImage first = gif::ReadFirstImage(reader, &image);
    ASSERT_TRUE(first.single);
    ASSERT_TRUE(first.has_image);
    ASSERT_EQ(image.decoded, image.pixels.size());
    ASSERT_EQ(expected.size(), image.pixels.size() * 3);
    Canvas canvas = WhiteCanvas(image.width, image.height);
    gif::DrawStillImage(image, canvas.View());
    int mismatches = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const std::string want = Hex(expected.data() + (size_t(y) * image.width + x) * 3);
        if (PixelHex(canvas, x, y) != want && ++mismatches <= 5) {
          ADD_FAILURE() << "at " << x << "," << y << ": want " << want << ", got " << PixelHex(canvas, x, y);
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
