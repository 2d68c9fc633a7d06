// Every prefix of a valid GIF: the header is refused, or each image that
// comes is the same image as in the whole file with the same or fewer pixels
// decoded; every step returns, and nothing reads outside the data (the
// sanitizers watch that).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gif/gif_compositor.h"
#include "gif/gif_reader.h"
#include "gif/image_decoder.h"
#include "gif_fixtures.h"

namespace {

using namespace gif_test;

// The images of one pass through the whole file.
std::vector<gif::GifImage> ImagesOfOnePass(const Bytes& gif) {
  std::vector<gif::GifImage> images;
  gif::GifReader reader;
  if (!gif::OpenGif(gif.data(), gif.size(), &reader)) return images;
  for (;;) {
    const size_t before = reader.position;
    gif::GifImage image;
    if (!gif::ReadNextImage(reader, &image) || reader.position <= before) break;
    images.push_back(image);
  }
  return images;
}

// Steps through a prefix; images are numbered from 0 again after each wrap
// (an image that ends no later than where the step began came after a wrap).
void CheckPrefix(const Bytes& prefix, const std::vector<gif::GifImage>& whole) {
  gif::GifReader reader;
  if (!gif::OpenGif(prefix.data(), prefix.size(), &reader)) return;
  gif::GifImage image;
  gif::ReadFirstImage(reader, &image);
  reader.position = 0;
  size_t index = 0;
  for (int step = 0; step < 8; ++step) {
    const size_t before = reader.position;
    if (!gif::ReadNextImage(reader, &image)) continue;
    index = before != 0 && reader.position > before ? index + 1 : 0;
    ASSERT_LT(index, whole.size()) << "an image the whole file does not have";
    const gif::GifImage& full = whole[index];
    ASSERT_EQ(image.left, full.left);
    ASSERT_EQ(image.top, full.top);
    ASSERT_EQ(image.width, full.width);
    ASSERT_EQ(image.height, full.height);
    ASSERT_LE(image.decoded, full.decoded);
    for (int y = 0; y < image.height; ++y) {
      const size_t row = static_cast<size_t>(y) * image.width;
      const int columns = gif::DecodedColumns(image, y);
      ASSERT_TRUE(std::equal(image.pixels.begin() + row, image.pixels.begin() + row + columns, full.pixels.begin() + row))
          << "image " << index << " row " << y;
    }
  }
}

// Composition over the prefix too, on a canvas capped like the preview's.
void ComposePrefix(const Bytes& prefix) {
  gif::GifReader reader;
  if (!gif::OpenGif(prefix.data(), prefix.size(), &reader)) return;
  const int width = std::min(reader.header.screen_width, 64), height = std::min(reader.header.screen_height, 64);
  Canvas canvas = WhiteCanvas(width, height);
  gif::Compositor compositor;
  gif::StartCompositor(&compositor);
  for (int step = 0; step < 6; ++step) gif::ComposeNextFrame(reader, compositor, canvas.View());
}

void CheckEveryPrefix(const std::string& name, const Bytes& gif) {
  SCOPED_TRACE(name);
  const std::vector<gif::GifImage> whole = ImagesOfOnePass(gif);
  ASSERT_FALSE(whole.empty());
  for (size_t n = 0; n <= gif.size(); ++n) {
    SCOPED_TRACE("prefix of " + std::to_string(n) + " bytes");
    const Bytes prefix(gif.begin(), gif.begin() + n);
    CheckPrefix(prefix, whole);
    ComposePrefix(prefix);
    if (testing::Test::HasFatalFailure()) return;
  }
}

TEST(GifPrefixes, HandMadeAnimation) {
  const Bytes local_table = {
      255, 0, 0,  // colour 0: red
      0, 0, 255,  // colour 1: blue
  };
  const Bytes comment = {0x21, /* extension */ 0xFE, /* comment */ 2, 'h', 'i', /* sub-block */ 0 /* end */};
  const Bytes gif = Cat({
      Header(4, 4), comment,
      GraphicControl(3, true, 10, 1), Descriptor(0, 0, 4, 4, kInterlaced), RootsOnly(2, {0, 1, 1, 0, 1, 0, 0, 1, 0, 0,
                                                                                       1, 1, 1, 1, 0, 0}),
      GraphicControl(2, false, 0, 0), Cat({Descriptor(1, 1, 2, 2, kLocalTable2), local_table}), CheckerImage(),
      kTrailer,
  });
  CheckEveryPrefix("hand-made", gif);
}

TEST(GifPrefixes, FuzzSeeds) {
  const char* source = std::getenv("TARNOVA_SOURCE_DIR");
  if (source == nullptr) GTEST_SKIP() << "TARNOVA_SOURCE_DIR is not set; the seed folder is unknown";
  const std::filesystem::path seeds = std::filesystem::path(source) / "tests/fuzz/gif/seeds";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    Bytes gif;
    ASSERT_TRUE(ReadFile(entry.path().string(), &gif));
    CheckEveryPrefix(entry.path().filename().string(), gif);
    ++checked;
  }
  EXPECT_GT(checked, 0) << "no seeds in " << seeds;
}

}  // namespace
