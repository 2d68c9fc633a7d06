// Composing the images of an animated GIF onto a canvas of the logical screen
// size, one step per frame, the way the preview's player shows them.
//
// The canvas is owned by the caller (on Windows, the bits of a 32-bit
// top-down DIB section): 4 bytes per pixel in the order blue, green, red,
// unused; rows top-down, width * 4 bytes each, no padding. The unused byte is
// written as 0.
//
// A player keeps a GifReader (OpenGif), a Compositor (StartCompositor) and the
// canvas (FillCanvasWhite once), and per frame: takes its lock on the canvas,
// calls ComposeNextFrame, draws the canvas, releases the lock, then waits
// delay_ms from before the step. Nothing here blocks or keeps global state, so
// the step can run on any thread that holds the lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/gif_reader.h"
#include "gif/gif_types.h"

namespace gif {

struct CanvasView {
  uint8_t* bits;  // width * height * 4 bytes; not owned
  int width, height;
};

// Canvases above this many pixels are refused (CanvasByteCount gives 0), so a
// header cannot make the caller allocate more than 256 MB.
constexpr uint64_t kMaxCanvasPixels = uint64_t{1} << 26;

// Bytes of a canvas of width * height, or 0 when either is 0 or too large.
size_t CanvasByteCount(int width, int height);

struct CanvasRect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct Compositor {
  // Disposal method of the image drawn last, when it still has to be undone
  // (2 or 3); 1 otherwise.
  int remembered_disposal = 1;
  CanvasRect saved_rect;       // where the saved pixels go back, in the canvas
  std::vector<uint8_t> saved;  // saved_rect's canvas pixels, same layout
  GifImage image;              // the image of the last step (its buffers are reused)
};

// A compositor for a new canvas: nothing saved, remembered disposal 1.
void StartCompositor(Compositor* compositor);

// Fills the canvas with white (FFFFFF), as a new animation canvas starts.
void FillCanvasWhite(CanvasView canvas);

struct FrameStep {
  bool has_image;     // an image was drawn (it may have been partial)
  unsigned delay_ms;  // how long to show the canvas before the next step
};

// One frame:
// 1. If the image drawn last has disposal 2 or 3, its saved area goes back
//    onto the canvas; both methods restore what was under the image (2 does
//    not clear to a background colour).
// 2. The next image is read (ReadNextImage). When its disposal is 2 or 3, the
//    canvas area it covers is saved first. It is then drawn at its left and
//    top; with the transparency flag set, pixels whose colour equals the
//    transparent colour (by colour, not by index) leave the canvas as it was.
//    Pixels that were not decoded leave it as it was too.
// Parts of an image outside the canvas are neither drawn nor saved.
// The delay is that of the last graphic control extension read, even when no
// image came: 10 ms per hundredth, 50 ms when it is 0.
FrameStep ComposeNextFrame(GifReader& reader, Compositor& compositor, CanvasView canvas);

// 10 ms per hundredth of a second, 50 ms for a delay of 0.
unsigned FrameDelayMs(const GraphicControl& control);

// A single-image GIF's picture: the image, of its own size, on a canvas of
// that size (width and height of the image), ignoring its position and its
// transparency. Pixels that were not decoded are white.
void DrawStillImage(const GifImage& image, CanvasView canvas);

}  // namespace gif
