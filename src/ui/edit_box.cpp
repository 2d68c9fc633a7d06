#include "ui/edit_box.h"

#include "ui/child_control.h"
#include "ui/gdi_handles.h"

namespace {

constexpr char kBrushProperty[] = "TarnovaEditBrush";
constexpr char kProcProperty[] = "TarnovaEditProc";

WNDPROC OriginalProc(HWND box) { return reinterpret_cast<WNDPROC>(GetPropA(box, kProcProperty)); }

int TextLineHeight(HWND box) {
  WindowDC dc(box);
  SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), "W", 1, &size);
  return size.cy;
}

// Narrows the client rectangle to one text line in the middle, so the edit
// control draws its line there instead of at the top.
void CentreTextBand(HWND box, RECT* client) {
  int h = TextLineHeight(box);
  client->top += (client->bottom - client->top - h) / 2;
  client->bottom = client->top + h;
}

RECT ClientRectInWindow(HWND box) {
  RECT client;
  GetClientRect(box, &client);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT window;
  GetWindowRect(box, &window);
  OffsetRect(&client, -window.left, -window.top);
  return client;
}

// Paints the bands above and below the text line white; the default
// processing then draws the sunken frame over the edge.
void PaintOutsideBand(HWND box) {
  HDC dc = GetWindowDC(box);
  if (!dc) return;
  RECT window;
  GetWindowRect(box, &window);
  OffsetRect(&window, -window.left, -window.top);
  RECT client = ClientRectInWindow(box);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &window, EditBoxBrush(box));
  ReleaseDC(box, dc);
}

LRESULT CALLBACK EditBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = OriginalProc(box);
  switch (message) {
    case WM_NCCALCSIZE: {
      LRESULT result = CallWindowProcA(original, box, message, wParam, lParam);
      RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      CentreTextBand(box, client);
      return result;
    }
    case WM_NCPAINT:
      PaintOutsideBand(box);
      return CallWindowProcA(original, box, message, wParam, lParam);
    case WM_NCHITTEST: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client;
      GetClientRect(box, &client);
      MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
      // Clicks above or below the text line must not reach the text.
      if (!PtInRect(&client, p)) return HTBORDER;
      break;
    }
    case WM_NCDESTROY: {
      if (HBRUSH brush = EditBoxBrush(box)) DeleteObject(brush);
      RemovePropA(box, kBrushProperty);
      RemovePropA(box, kProcProperty);
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      return CallWindowProcA(original, box, message, wParam, lParam);
    }
  }
  return CallWindowProcA(original, box, message, wParam, lParam);
}

}  // namespace

HBRUSH EditBoxBrush(HWND box) { return static_cast<HBRUSH>(GetPropA(box, kBrushProperty)); }

HWND CreateEditBox(HWND parent, const ControlDefinition& control, HINSTANCE instance) {
  HWND box = CreateChildControl(parent, control, "EDIT", instance);
  if (!box) return nullptr;
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  if (!brush || !SetPropA(box, kBrushProperty, brush)) {
    if (brush) DeleteObject(brush);
    DestroyWindow(box);
    return nullptr;
  }
  SetPropA(box, kProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(box, GWLP_WNDPROC)));
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditBoxProc));
  SendMessageA(box, EM_LIMITTEXT, 0, 0);
  SendMessageA(box, EM_SETSEL, 0, 0);
  SendMessageA(box, EM_SCROLLCARET, 0, 0);
  // Recompute the frame now that the font is known: the text band appears.
  SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return box;
}
