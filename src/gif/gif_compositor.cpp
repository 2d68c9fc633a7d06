#include "gif/gif_compositor.h"

#include <algorithm>
#include <cstring>

#include "gif/image_decoder.h"

namespace gif {

namespace {
constexpr size_t kPixelBytes = 4;

uint8_t* PixelAt(CanvasView canvas, int x, int y) {
  return canvas.bits + (static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x)) * kPixelBytes;
}

// The part of a width * height rectangle at (left, top) inside the canvas.
CanvasRect Clip(int left, int top, int width, int height, CanvasView canvas) {
  const int x0 = std::min(std::max(left, 0), canvas.width);
  const int y0 = std::min(std::max(top, 0), canvas.height);
  const int x1 = static_cast<int>(std::min<int64_t>(int64_t{left} + width, canvas.width));
  const int y1 = static_cast<int>(std::min<int64_t>(int64_t{top} + height, canvas.height));
  // An empty part is empty both ways, so no row loop runs over a buffer of
  // zero bytes.
  if (x1 <= x0 || y1 <= y0) return CanvasRect{x0, y0, 0, 0};
  return CanvasRect{x0, y0, x1 - x0, y1 - y0};
}

void DrawImageAt(const GifImage& image, CanvasView canvas, int left, int top, bool masked) {
  const CanvasRect r = Clip(left, top, image.width, image.height, canvas);
  uint8_t bgrx[256][4];
  bool keep_canvas[256];
  for (int i = 0; i < 256; ++i) {
    const Rgb c = image.colors.colors[i];
    bgrx[i][0] = c.b;
    bgrx[i][1] = c.g;
    bgrx[i][2] = c.r;
    bgrx[i][3] = 0;
    keep_canvas[i] = masked && c == image.transparent_color;
  }
  for (int y = r.top; y < r.top + r.height; ++y) {
    const int image_y = y - top;
    const int x_end = std::min(r.left + r.width, left + DecodedColumns(image, image_y));
    const uint8_t* source = image.pixels.data() + static_cast<size_t>(image_y) * static_cast<size_t>(image.width);
    for (int x = r.left; x < x_end; ++x) {
      const uint8_t index = source[x - left];
      if (!keep_canvas[index]) std::memcpy(PixelAt(canvas, x, y), bgrx[index], kPixelBytes);
    }
  }
}

void SaveArea(Compositor& c, CanvasView canvas, const GifImage& image) {
  c.saved_rect = Clip(image.left, image.top, image.width, image.height, canvas);
  const size_t row_bytes = static_cast<size_t>(c.saved_rect.width) * kPixelBytes;
  c.saved.resize(row_bytes * static_cast<size_t>(c.saved_rect.height));
  for (int y = 0; y < c.saved_rect.height; ++y) {
    std::memcpy(c.saved.data() + y * row_bytes, PixelAt(canvas, c.saved_rect.left, c.saved_rect.top + y), row_bytes);
  }
}

void RestoreArea(const Compositor& c, CanvasView canvas) {
  const CanvasRect& r = c.saved_rect;
  // The caller keeps the canvas size between steps; if it did not, the saved
  // pixels no longer have a place and are dropped.
  if (r.left + r.width > canvas.width || r.top + r.height > canvas.height) return;
  const size_t row_bytes = static_cast<size_t>(r.width) * kPixelBytes;
  for (int y = 0; y < r.height; ++y) {
    std::memcpy(PixelAt(canvas, r.left, r.top + y), c.saved.data() + y * row_bytes, row_bytes);
  }
}

bool RestoresArea(int disposal) { return disposal == 2 || disposal == 3; }
}  // namespace

size_t CanvasByteCount(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (pixels > kMaxCanvasPixels) return 0;
  return static_cast<size_t>(pixels) * kPixelBytes;
}

void StartCompositor(Compositor* compositor) {
  compositor->remembered_disposal = 1;
  compositor->saved_rect = CanvasRect{0, 0, 0, 0};
  compositor->saved.clear();
}

void FillCanvasWhite(CanvasView canvas) {
  const size_t pixels = static_cast<size_t>(std::max(canvas.width, 0)) * static_cast<size_t>(std::max(canvas.height, 0));
  for (size_t i = 0; i < pixels; ++i) {
    uint8_t* p = canvas.bits + i * kPixelBytes;
    p[0] = p[1] = p[2] = 0xFF;
    p[3] = 0;
  }
}

unsigned FrameDelayMs(const GraphicControl& control) {
  return control.delay == 0 ? 50u : 10u * static_cast<unsigned>(control.delay);
}

FrameStep ComposeNextFrame(GifReader& reader, Compositor& c, CanvasView canvas) {
  if (RestoresArea(c.remembered_disposal)) RestoreArea(c, canvas);
  c.remembered_disposal = 1;

  FrameStep step{ReadNextImage(reader, &c.image), 0};
  if (step.has_image) {
    if (RestoresArea(c.image.disposal)) {
      SaveArea(c, canvas, c.image);
      c.remembered_disposal = c.image.disposal;
    }
    DrawImageAt(c.image, canvas, c.image.left, c.image.top, c.image.transparent);
  }
  step.delay_ms = FrameDelayMs(reader.control);
  return step;
}

void DrawStillImage(const GifImage& image, CanvasView canvas) {
  FillCanvasWhite(canvas);
  DrawImageAt(image, canvas, 0, 0, false);
}

}  // namespace gif
