#include "ui/label.h"

#include <vector>

#include "ui/child_control.h"
#include "ui/gdi_handles.h"
#include "ui/window_class.h"

namespace {

constexpr char kLabelClass[] = "TarnovaLabel";
constexpr char kFontProperty[] = "TarnovaFont";  // not owned: a stock font

UINT DrawFormat(HWND label) { return static_cast<UINT>(GetWindowLongPtrA(label, GWLP_USERDATA)); }

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintScope paint(label);
      PaintLabel(label, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintLabel(label, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // labels take no clicks and no focus
    case WM_SETFONT:
      SetPropA(label, kFontProperty, reinterpret_cast<HANDLE>(wParam));
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropA(label, kFontProperty));
    case WM_NCDESTROY:
      RemovePropA(label, kFontProperty);
      break;
  }
  return DefWindowProcA(label, message, wParam, lParam);
}

}  // namespace

bool RegisterLabelClass(HINSTANCE instance) { return RegisterOwnWindowClass(instance, kLabelClass, LabelProc); }

HWND CreateLabel(HWND parent, const ControlDefinition& control, HINSTANCE instance) {
  HWND label = CreateChildControl(parent, control, kLabelClass, instance);
  if (label) SetWindowLongPtrA(label, GWLP_USERDATA, static_cast<LONG_PTR>(control.drawTextFormat));
  return label;
}

void PaintLabel(HWND label, HDC dc) {
  RECT client;
  GetClientRect(label, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  int length = GetWindowTextLengthA(label);
  if (length <= 0) return;
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  length = GetWindowTextA(label, text.data(), length + 1);
  SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text.data(), length, &client, DrawFormat(label));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}
