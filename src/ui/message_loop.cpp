#include "ui/message_loop.h"

#include "ui/control_table.h"
#include "ui/main_window.h"

namespace {

bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool InRing(HWND control) { return control && IsWindowVisible(control) && IsWindowEnabled(control); }

// The next (or previous) ring member after the focused control that is
// visible and enabled.
void MoveFocusAroundRing(HWND mainWindow, bool forward) {
  constexpr int n = sizeof kTabRing / sizeof kTabRing[0];
  HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < n; ++i) {
    if (ControlOf(mainWindow, kTabRing[i]) == focus) current = i;
  }
  if (current < 0 && focus != mainWindow && !IsChild(mainWindow, focus)) return;
  for (int step = 1; step <= n; ++step) {
    int i = current < 0 ? (forward ? step - 1 : n - step) : (current + (forward ? step : n - step)) % n;
    HWND candidate = ControlOf(mainWindow, kTabRing[i]);
    if (InRing(candidate)) {
      SetFocus(candidate);
      return;
    }
  }
}

}  // namespace

bool PreTranslateKey(HWND mainWindow, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !IsWindow(mainWindow)) return false;
  if (msg.hwnd != mainWindow && !IsChild(mainWindow, msg.hwnd)) return false;
  bool ctrl = IsDown(VK_CONTROL), shift = IsDown(VK_SHIFT), alt = IsDown(VK_MENU);
  if (msg.wParam == VK_TAB && !ctrl && !alt) {
    MoveFocusAroundRing(mainWindow, !shift);
    return true;
  }
  if (msg.wParam == VK_ESCAPE && !ctrl && !shift && !alt) {
    SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

int RunMessageLoop(HWND mainWindow) {
  SetQuitOnDestroy(true);
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateKey(mainWindow, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  SetQuitOnDestroy(false);
  return static_cast<int>(msg.wParam);
}
