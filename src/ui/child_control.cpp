#include "ui/child_control.h"

HWND CreateChildControl(HWND parent, const ControlDefinition& control, const char* className, HINSTANCE instance) {
  HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  HWND child = CreateWindowExA(control.exStyle, className, control.text, control.style, control.left, control.top,
                               control.width, control.height, parent, id, instance, nullptr);
  if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}
