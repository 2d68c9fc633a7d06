#include "ui/picture_box.h"

#include "ui/gdi_handles.h"

namespace {

constexpr char kPictureBoxClass[] = "TarnovaPictureBox";

// The box's state; lives from WM_NCCREATE to WM_NCDESTROY.
struct PictureBox {
  HWND window = nullptr;
  HFONT font = nullptr;  // not owned: the stock font
  GdiObject<HBRUSH> background{CreateSolidBrush(GetSysColor(COLOR_BTNFACE))};
};

PictureBox* BoxOf(HWND window) { return reinterpret_cast<PictureBox*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void PaintContent(PictureBox* box, HDC dc) {
  RECT client;
  GetClientRect(box->window, &client);
  SelectedObject brush(dc, box->background.get());
  PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
}

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PictureBox* box = BoxOf(window);
  switch (message) {
    case WM_NCCREATE:
      box = new PictureBox;
      box->window = window;
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete box;
      break;
    case WM_PAINT:
      if (box) {
        PaintScope paint(window);
        PaintContent(box, paint.get());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (box) PaintContent(box, reinterpret_cast<HDC>(wParam));
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

bool RegisterPictureBoxClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = PictureBoxProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kPictureBoxClass;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreatePictureBox(HWND parent, const ControlSpec& spec, HINSTANCE instance) {
  HWND box = CreateWindowExA(spec.exStyle, kPictureBoxClass, "", spec.style, spec.left, spec.top, spec.width,
                             spec.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance,
                             nullptr);
  if (box) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return box;
}
