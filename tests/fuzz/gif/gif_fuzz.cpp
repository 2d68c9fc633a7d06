// Fuzz entry point of the GIF reader and compositor: the header check, the
// still check, then twenty composition steps on a canvas capped at 64 x 64
// (parts of images outside it are clipped like parts outside the screen).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/gif_compositor.h"
#include "gif/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gif::GifReader reader;
  if (!gif::OpenGif(data, size, &reader)) return 0;

  gif::GifImage image;
  const gif::FirstImage first = gif::ReadFirstImage(reader, &image);
  if (first.single) {
    if (first.has_image && gif::CanvasByteCount(image.width, image.height) != 0 && image.width <= 256 &&
        image.height <= 256) {
      std::vector<uint8_t> still(gif::CanvasByteCount(image.width, image.height));
      gif::DrawStillImage(image, gif::CanvasView{still.data(), image.width, image.height});
    }
    reader.position = 0;
  }

  const int width = std::min(reader.header.screen_width, 64);
  const int height = std::min(reader.header.screen_height, 64);
  std::vector<uint8_t> bits(gif::CanvasByteCount(width, height));
  const gif::CanvasView canvas{bits.empty() ? nullptr : bits.data(), bits.empty() ? 0 : width,
                               bits.empty() ? 0 : height};
  gif::FillCanvasWhite(canvas);
  gif::Compositor compositor;
  gif::StartCompositor(&compositor);
  for (int step = 0; step < 20; ++step) gif::ComposeNextFrame(reader, compositor, canvas);
  return 0;
}
