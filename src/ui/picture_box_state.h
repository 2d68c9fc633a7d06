// The preview box's state and the seam where the GIF player plugs in. The box
// itself (picture_box.cpp) owns the window, the background, its copy of the
// picture bytes and the still pictures; a GIF is loaded, painted and
// discarded by the player's three operations below, which keep their own
// record behind `gif`.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "picture/recognize.h"
#include "ui/gdi_handles.h"
#include "ui/picture_bitmap.h"

struct GifState;  // the GIF player's record; defined by the player

// One per box window; lives from WM_NCCREATE to WM_NCDESTROY.
struct PictureBox {
  HWND window = nullptr;
  HFONT font = nullptr;  // not owned: the stock font
  GdiObject<HBRUSH> background{CreateSolidBrush(GetSysColor(COLOR_BTNFACE))};

  // The box's own copy of the bytes last handed to SetPicture.
  std::vector<uint8_t> bytes;

  // The current picture: kNone while there is none. Exactly the member of
  // its kind holds something.
  picture::PictureKind kind = picture::PictureKind::kNone;
  int width = 0;   // picture size in pixels
  int height = 0;
  IconHandle icon;          // kIcon, kCursor
  PictureBitmap pixels;     // kBmp, kJpeg, kPcx8, kPcxMono
  GifState* gif = nullptr;  // kGif: made by LoadGif, freed by DiscardGif
};

// The state of a box window; null for any other window.
PictureBox* PictureBoxOf(HWND window);

// The GIF player's operations (gif_player.cpp), on the GUI thread.
//
// LoadGif: box.bytes starts with a GIF signature and the previous picture
// is gone. On true the box shows a GIF: the player has set box.gif, and
// box.width and box.height to the logical screen size. On false it leaves
// nothing behind (box.gif stays null) and the box shows no picture.
bool LoadGif(PictureBox& box);
// Paints the GIF into dc after the box has filled its background.
void PaintGif(PictureBox& box, HDC dc);
// Stops a running animation, waits for it, frees box.gif and sets it null.
void DiscardGif(PictureBox& box);

// For the box and the GIF player alike: copies the whole width x height of
// source into the box's fit placement on dc, stretched with the preview's
// stretch mode. dc's stretch mode and brush origin are left as they were.
// Safe on any thread.
void StretchIntoBox(HWND box, HDC dc, HDC source, int width, int height);
