#include "support/message_box_watcher.h"

#include <atomic>
#include <thread>

namespace {

struct FindRequest {
  const char* title;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  if (lstrcmpA(title, request->title) != 0) return TRUE;
  if (request->className) {
    char cls[256] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, request->className) != 0) return TRUE;
  }
  request->found = window;
  return FALSE;
}

// The message box puts its text in a static control; the icon is a static
// with SS_ICON.
void ReadBox(HWND box, DismissedBox* out) {
  out->seen = true;
  out->owner = GetWindow(box, GW_OWNER);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) continue;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      if (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0)) out->hasIcon = true;
    } else if (GetWindowTextLengthA(child) > 0) {
      char text[1024] = {};
      GetWindowTextA(child, text, sizeof text);
      out->text = text;
    }
  }
}

}  // namespace

HWND FindTopLevelWindow(const char* title, const char* className) {
  FindRequest request{title, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

DismissedBox RunDismissingBox(const char* caption, const std::function<void()>& action, DWORD timeoutMs) {
  DismissedBox result;
  std::atomic<bool> actionDone{false};
  std::thread watcher([&] {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
      HWND box = FindTopLevelWindow(caption, "#32770");
      if (box) {
        ReadBox(box, &result);
        HWND ok = GetDlgItem(box, IDOK);
        // A click on OK: the button's own BM_CLICK, as the mouse would.
        if (ok) SendMessageA(ok, BM_CLICK, 0, 0);
        else PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      if (actionDone) return;
      Sleep(20);
    }
  });
  action();
  actionDone = true;
  watcher.join();
  return result;
}
