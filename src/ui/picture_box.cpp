#include "ui/picture_box.h"

#include "picture/icon_directory.h"
#include "picture/placement.h"
#include "picture/still_picture.h"
#include "ui/child_control.h"
#include "ui/gdi_handles.h"
#include "ui/window_class.h"
#include "ui/picture_box_state.h"
#include "ui/quiet_allocation.h"

namespace {

using picture::PictureKind;

constexpr char kPictureBoxClass[] = "TarnovaPictureBox";

// Halftone where the display has the colours for it; on 16 bits or fewer,
// or when the display cannot be asked, plain colour-on-colour.
int PreviewStretchMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16) return HALFTONE;
  return COLORONCOLOR;
}

// Sets a stretch mode on a DC we were lent (a paint DC, or a test's DC in
// WM_PRINTCLIENT) and puts back its mode and brush origin afterwards.
class StretchModeScope {
 public:
  StretchModeScope(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {
    // HALFTONE moves the brush origin; it has to be set again after it.
    SetBrushOrgEx(dc, 0, 0, &origin_);
  }
  ~StretchModeScope() {
    SetBrushOrgEx(dc_, origin_.x, origin_.y, nullptr);
    if (previous_) SetStretchBltMode(dc_, previous_);
  }
  StretchModeScope(const StretchModeScope&) = delete;
  StretchModeScope& operator=(const StretchModeScope&) = delete;

 private:
  HDC dc_;
  int previous_;
  POINT origin_{};
};

// Text and background colour of a lent DC, put back afterwards. A
// monochrome bitmap copied onto colour takes clear bits in the text colour
// and set bits in the background colour.
class MonochromeColours {
 public:
  MonochromeColours(HDC dc, COLORREF clear, COLORREF set)
      : dc_(dc), text_(SetTextColor(dc, clear)), back_(SetBkColor(dc, set)) {}
  ~MonochromeColours() {
    SetTextColor(dc_, text_);
    SetBkColor(dc_, back_);
  }
  MonochromeColours(const MonochromeColours&) = delete;
  MonochromeColours& operator=(const MonochromeColours&) = delete;

 private:
  HDC dc_;
  COLORREF text_;
  COLORREF back_;
};

picture::Placement PlaceInBox(HWND box, int width, int height) {
  RECT client{};
  GetClientRect(box, &client);
  return picture::FitPlacement(width, height, client.right, client.bottom);
}

// Frees whatever the current picture holds; the box then has no picture.
void DiscardPicture(PictureBox& box) {
  switch (box.kind) {
    case PictureKind::kGif:
      DiscardGif(box);
      break;
    case PictureKind::kIcon:
    case PictureKind::kCursor:
      box.icon.Reset();
      break;
    default:
      box.pixels.Clear();
      break;
  }
  box.kind = PictureKind::kNone;
  box.width = 0;
  box.height = 0;
}

// Icons and cursors: the chosen image of the file as an icon of its size.
void LoadIconPicture(PictureBox& box, PictureKind kind) {
  picture::IconImage image;
  if (!picture::ChooseIconImage(box.bytes.data(), box.bytes.size(), &image)) return;
  HICON icon = CreateIconFromImage(image);
  if (!icon) return;
  box.icon.Reset(icon);
  box.kind = kind;
  box.width = image.width;
  box.height = image.height;
}

// BMP, JPEG and PCX: decoded pixels, kept in the layout GDI takes.
void LoadStillPicture(PictureBox& box, PictureKind kind) {
  picture::Picture decoded;
  {
    QuietAllocationFailure tooLargeIsNoPicture;
    if (!picture::DecodeStillPicture(kind, box.bytes.data(), box.bytes.size(), &decoded)) return;
  }
  if (!box.pixels.Assign(decoded)) return;
  box.kind = kind;
  box.width = decoded.width;
  box.height = decoded.height;
}

// Makes the current picture from box.bytes; any failure leaves none.
void LoadPicture(PictureBox& box) {
  const PictureKind kind = picture::RecognizePicture(box.bytes.data(), box.bytes.size());
  switch (kind) {
    case PictureKind::kNone:
      return;
    case PictureKind::kIcon:
    case PictureKind::kCursor:
      LoadIconPicture(box, kind);
      return;
    case PictureKind::kGif:
      if (LoadGif(box)) box.kind = PictureKind::kGif;
      return;
    case PictureKind::kBmp:
    case PictureKind::kJpeg:
    case PictureKind::kPcx8:
    case PictureKind::kPcxMono:
      LoadStillPicture(box, kind);
      return;
  }
}

// Icons draw through their own mask, so transparent parts keep the
// background.
void DrawIconPicture(const PictureBox& box, HDC dc) {
  const picture::Placement at = PlaceInBox(box.window, box.width, box.height);
  StretchModeScope mode(dc, PreviewStretchMode());
  DrawIconEx(dc, at.x, at.y, box.icon.get(), at.width, at.height, 0, nullptr, DI_NORMAL);
}

// Other pictures become a bitmap for this paint only.
void DrawPixelPicture(const PictureBox& box, HDC dc) {
  GdiObject<HBITMAP> bitmap(box.pixels.CreateBitmapFor(dc));
  if (!bitmap.get()) return;
  MemoryDC source(dc);
  if (!source.get()) return;
  SelectedObject selected(source.get(), bitmap.get());
  // Only a monochrome source takes these colours; set bits show white.
  MonochromeColours colours(dc, RGB(0, 0, 0), RGB(255, 255, 255));
  StretchIntoBox(box.window, dc, source.get(), box.width, box.height);
}

// Shared by WM_PAINT and WM_PRINTCLIENT, so the box can be rendered into any
// DC.
void PaintContent(PictureBox& box, HDC dc) {
  RECT client{};
  GetClientRect(box.window, &client);
  {
    SelectedObject brush(dc, box.background.get());
    PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
  }
  switch (box.kind) {
    case PictureKind::kNone:
      return;
    case PictureKind::kGif:
      PaintGif(box, dc);
      return;
    case PictureKind::kIcon:
    case PictureKind::kCursor:
      DrawIconPicture(box, dc);
      return;
    case PictureKind::kBmp:
    case PictureKind::kJpeg:
    case PictureKind::kPcx8:
    case PictureKind::kPcxMono:
      DrawPixelPicture(box, dc);
      return;
  }
}

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Our own class: the pointer is ours or null (before WM_NCCREATE).
  PictureBox* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      box = new PictureBox;
      box->window = window;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      if (box) DiscardPicture(*box);
      delete box;
      break;
    case WM_PAINT:
      if (box) {
        PaintScope paint(window);
        if (paint.get()) PaintContent(*box, paint.get());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (box) PaintContent(*box, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      if (box) box->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return box ? reinterpret_cast<LRESULT>(box->font) : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

PictureBox* PictureBoxOf(HWND window) {
  char name[sizeof kPictureBoxClass + 1] = {};
  if (!window || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, kPictureBoxClass) != 0) return nullptr;
  return reinterpret_cast<PictureBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void StretchIntoBox(HWND box, HDC dc, HDC source, int width, int height) {
  const picture::Placement at = PlaceInBox(box, width, height);
  if (at.width <= 0 || at.height <= 0) return;
  StretchModeScope mode(dc, PreviewStretchMode());
  StretchBlt(dc, at.x, at.y, at.width, at.height, source, 0, 0, width, height, SRCCOPY);
}

void SetPicture(HWND window, const uint8_t* data, size_t size) {
  PictureBox* box = PictureBoxOf(window);
  if (!box) return;
  // A running GIF stops before anything of the old picture goes.
  DiscardPicture(*box);
  std::vector<uint8_t> copy;
  if (data && size) copy.assign(data, data + size);
  box->bytes.swap(copy);
  if (!box->bytes.empty()) LoadPicture(*box);
  InvalidateRect(window, nullptr, FALSE);
}

bool RegisterPictureBoxClass(HINSTANCE instance) { return RegisterOwnWindowClass(instance, kPictureBoxClass, PictureBoxProc); }

HWND CreatePictureBox(HWND parent, const ControlDefinition& control, HINSTANCE instance) {
  HWND box = CreateChildControl(parent, control, kPictureBoxClass, instance);
  return box;
}
