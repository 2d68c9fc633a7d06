// The preview's pictures in the forms GDI draws: decoded pixels kept as DIB
// rows (turned into a bitmap for each paint), and icons made from the chosen
// image of an icon or cursor file.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "picture/icon_directory.h"
#include "picture/picture.h"

// An icon we created; destroyed with the owner.
class IconHandle {
 public:
  IconHandle() = default;
  explicit IconHandle(HICON icon) : icon_(icon) {}
  ~IconHandle() { Reset(); }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  void Reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }
  HICON get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

// The image of an icon or cursor file as an icon of its own size; cursors
// become icons too, their hot spot plays no part. Null when the system makes
// nothing of it. The caller owns the icon.
HICON CreateIconFromImage(const picture::IconImage& image);

// A decoded still picture laid out for GDI: 24-bit and 8-bit pictures as
// top-down DIB rows padded to 4 bytes (8-bit with its 256 colours), a
// monochrome picture as the word-aligned 1-bit rows of a bitmap, set bits
// white. The rows live in memory of their own, so a picture too large for
// the memory left is simply not shown.
class PictureBitmap {
 public:
  PictureBitmap() = default;
  PictureBitmap(const PictureBitmap&) = delete;
  PictureBitmap& operator=(const PictureBitmap&) = delete;

  // Takes the picture's pixels. False, and empty, when the picture is empty
  // or the memory cannot be had.
  bool Assign(const picture::Picture& picture);
  void Clear();

  bool empty() const { return !rows_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool monochrome() const { return format_ == picture::PixelFormat::kMono; }

  // A bitmap for dc holding the picture, or null. The caller owns it.
  HBITMAP CreateBitmapFor(HDC dc) const;

 private:
  struct FreeRows {
    void operator()(uint8_t* rows) const { std::free(rows); }
  };
  // BITMAPINFO with room for a full colour table.
  struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  };

  picture::PixelFormat format_ = picture::PixelFormat::kBgr24;
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<uint8_t, FreeRows> rows_;
  DibHeader dib_{};
};
