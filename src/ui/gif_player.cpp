// The preview box's GIF player. A GIF of one image is a still picture,
// composed once at load and painted like any other. A GIF of several images
// plays on a worker thread of its own, started by the first paint: it
// composes frame after frame on a canvas of the logical screen size and draws
// each straight into the box through its own window DC. The paint handler
// draws the same canvas; the busy flag keeps the two from meeting on it.
//
// Stopping is a handshake the GUI thread waits for, so the worker must never
// wait for the GUI thread in turn: it sends no message and asks for no paint.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "gif/gif_compositor.h"
#include "gif/gif_reader.h"
#include "ui/gdi_handles.h"
#include "ui/picture_box_state.h"
#include "ui/quiet_allocation.h"

namespace {

// The busy flag over the canvas, shared by the worker and the paint handler:
// a lock rather than a spinning flag, since either side may hold it for a
// whole frame's decoding and drawing.
class BusyFlag {
 public:
  BusyFlag() { InitializeCriticalSection(&section_); }
  ~BusyFlag() { DeleteCriticalSection(&section_); }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

  void Set() { EnterCriticalSection(&section_); }
  void Clear() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

// Holds the busy flag for a scope, also when a step fails half-way.
class Busy {
 public:
  explicit Busy(BusyFlag& flag) : flag_(flag) { flag_.Set(); }
  ~Busy() { flag_.Clear(); }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  BusyFlag& flag_;
};

// A thread we created; the handle is closed with the owner. Joining is the
// owner's business, before it goes.
class ThreadHandle {
 public:
  ThreadHandle() = default;
  ~ThreadHandle() { Reset(); }
  ThreadHandle(const ThreadHandle&) = delete;
  ThreadHandle& operator=(const ThreadHandle&) = delete;

  void Reset(HANDLE handle = nullptr) {
    if (handle_) CloseHandle(handle_);
    handle_ = handle;
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// A 32-bit top-down DIB section whose bits are the compositor's canvas
// layout (B, G, R, unused; rows without padding).
class CanvasBitmap {
 public:
  CanvasBitmap() = default;
  CanvasBitmap(const CanvasBitmap&) = delete;
  CanvasBitmap& operator=(const CanvasBitmap&) = delete;

  // False, and nothing made, when the size is refused or GDI has no room.
  bool Create(int width, int height) {
    if (gif::CanvasByteCount(width, height) == 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
      if (bitmap) DeleteObject(bitmap);
      return false;
    }
    bitmap_.Reset(bitmap);
    view_ = gif::CanvasView{static_cast<uint8_t*>(bits), width, height};
    return true;
  }

  HBITMAP get() const { return bitmap_.get(); }
  gif::CanvasView view() const { return view_; }

 private:
  GdiObject<HBITMAP> bitmap_;
  gif::CanvasView view_{nullptr, 0, 0};
};

enum class WorkerState { kIdle, kRunning, kStopRequested, kStopped };

}  // namespace

// Lives from LoadGif to DiscardGif, which joins the worker before freeing it.
struct GifState {
  HWND box = nullptr;
  gif::GifReader reader;  // the data copy and its read position: the worker's only
  int width = 0;          // logical screen
  int height = 0;
  bool single = false;
  bool started = false;  // GUI thread only
  // A still picture's composed image, made at load and never changed; or an
  // animation's canvas, made by its worker. Under the busy flag while a
  // worker may run.
  CanvasBitmap canvas;
  BusyFlag busy;
  std::atomic<WorkerState> worker{WorkerState::kIdle};
  ThreadHandle thread;
};

namespace {

// Copies the whole canvas into the box's fit placement on target. The bitmap
// is selected into memory only for the copy: a bitmap can be selected into
// one DC at a time, and both threads draw it.
void DrawCanvas(const GifState& gif, HDC target, HDC memory) {
  {
    SelectedObject selected(memory, gif.canvas.get());
    StretchIntoBox(gif.box, target, memory, gif.width, gif.height);
  }
  // The compositor writes the bits directly next; a batched copy must have
  // read them by then.
  GdiFlush();
}

// A still picture shows the logical screen as an animation's first frame
// would: white, with the image at its place and the part of it outside the
// screen cut off. Its transparency is not applied. The image is drawn at its
// own size into a part of the screen's size at most, then copied into place.
void ComposeStillPicture(GifState& gif, const gif::GifImage& image) {
  if (!gif.canvas.Create(gif.width, gif.height)) return;  // no room: the background shows
  const gif::CanvasView screen = gif.canvas.view();
  gif::FillCanvasWhite(screen);
  const int width = std::min(image.width, gif.width - image.left);
  const int height = std::min(image.height, gif.height - image.top);
  CanvasBitmap part;
  if (width <= 0 || height <= 0 || !part.Create(width, height)) return;
  gif::DrawStillImage(image, part.view());
  const size_t rowBytes = size_t(width) * 4;
  for (int y = 0; y < height; ++y) {
    uint8_t* to = screen.bits + (size_t(image.top + y) * size_t(gif.width) + size_t(image.left)) * 4;
    std::memcpy(to, part.view().bits + size_t(y) * rowBytes, rowBytes);
  }
}

// Waits out the rest of a frame's delay, counted from start, a stop request
// cutting it short. Sleeps 10 ms at a time at most, so a stop is seen soon.
void WaitForNextFrame(const GifState& gif, DWORD start, unsigned delayMs) {
  while (gif.worker.load() != WorkerState::kStopRequested) {
    const DWORD elapsed = GetTickCount() - start;  // unsigned: right across the wrap
    if (elapsed >= delayMs) return;
    Sleep(std::min<DWORD>(10, delayMs - elapsed));
  }
}

void Play(GifState& gif) {
  WindowDC window(gif.box);
  if (!window.get()) return;
  MemoryDC memory(window.get());
  if (!memory.get()) return;
  {
    Busy busy(gif.busy);
    if (!gif.canvas.get()) {
      if (!gif.canvas.Create(gif.width, gif.height)) return;
      gif::FillCanvasWhite(gif.canvas.view());
    }
  }
  gif::Compositor compositor;  // the saved area goes with the worker
  gif::StartCompositor(&compositor);
  while (gif.worker.load() != WorkerState::kStopRequested) {
    const DWORD start = GetTickCount();
    unsigned delayMs;
    {
      Busy busy(gif.busy);
      delayMs = gif::ComposeNextFrame(gif.reader, compositor, gif.canvas.view()).delay_ms;
      if (IsWindow(gif.box)) DrawCanvas(gif, window.get(), memory.get());
    }
    WaitForNextFrame(gif, start, delayMs);
  }
}

DWORD WINAPI PlayGif(void* parameter) {
  GifState& gif = *static_cast<GifState*>(parameter);
  try {
    // A frame too large for the memory left stops the animation where it
    // stands, rather than ending the program.
    QuietAllocationFailure tooLargeStopsPlaying;
    Play(gif);
  } catch (...) {
    // Nothing may leave the thread procedure.
  }
  // The DCs and the saved area are gone by now; only then may DiscardGif
  // free the rest.
  gif.worker.store(WorkerState::kStopped);
  return 0;
}

void StartWorker(GifState& gif) {
  if (gif.worker.load() != WorkerState::kIdle) return;
  gif.worker.store(WorkerState::kRunning);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, PlayGif, &gif, 0, &id);
  if (!thread) {
    gif.worker.store(WorkerState::kIdle);  // no thread: the box shows its background
    return;
  }
  gif.thread.Reset(thread);
}

// Asks a running worker to stop and waits for it to finish. Its end is
// awaited on the thread itself, which ends right after it says stopped.
void StopWorker(GifState& gif) {
  if (!gif.thread.get()) return;
  WorkerState running = WorkerState::kRunning;
  gif.worker.compare_exchange_strong(running, WorkerState::kStopRequested);
  WaitForSingleObject(gif.thread.get(), INFINITE);
  gif.thread.Reset();
}

}  // namespace

bool LoadGif(PictureBox& box) {
  std::unique_ptr<GifState> gif(new GifState);
  gif->box = box.window;
  if (!gif::OpenGif(box.bytes.data(), box.bytes.size(), &gif->reader)) return false;
  gif->width = gif->reader.header.screen_width;
  gif->height = gif->reader.header.screen_height;
  // No canvas could hold it: no picture, rather than one that never shows.
  if (gif::CanvasByteCount(gif->width, gif->height) == 0) return false;

  gif::GifImage first;
  gif::FirstImage read;
  try {
    // A first image too large for the memory left: no picture.
    QuietAllocationFailure tooLargeIsNoPicture;
    read = gif::ReadFirstImage(gif->reader, &first);
  } catch (...) {
    return false;  // nothing may leave for the window procedure
  }
  gif->single = read.single;
  // An animation starts over from the first block with its first paint; a
  // still picture without an image shows the background.
  if (read.single && read.has_image) ComposeStillPicture(*gif, first);

  box.width = gif->width;
  box.height = gif->height;
  box.gif = gif.release();
  return true;
}

void PaintGif(PictureBox& box, HDC dc) {
  GifState* gif = box.gif;
  if (!gif) return;
  if (!gif->single && !gif->started) {
    // This paint shows the background; the worker draws from now on.
    gif->started = true;
    StartWorker(*gif);
    return;
  }
  MemoryDC memory(dc);
  if (!memory.get()) return;
  if (gif->single) {
    if (gif->canvas.get()) DrawCanvas(*gif, dc, memory.get());
    return;
  }
  Busy busy(gif->busy);
  if (gif->canvas.get()) DrawCanvas(*gif, dc, memory.get());
}

void DiscardGif(PictureBox& box) {
  std::unique_ptr<GifState> gif(box.gif);
  box.gif = nullptr;
  if (gif) StopWorker(*gif);
}
