#include "support/open_dialog_user.h"

#include <atomic>
#include <thread>

namespace {

struct OwnedDialogSearch {
  HWND owner;
  HWND exclude;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OwnedDialogSearch*>(param);
  if (window == search->exclude || !IsWindowVisible(window)) return TRUE;
  if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0) return TRUE;
  if (search->title && WindowText(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindOwnedDialog(HWND owner, const char* title, HWND exclude = nullptr) {
  OwnedDialogSearch search{owner, exclude, title, nullptr};
  EnumWindows(MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!ready()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  if (window) SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool TypeAscii(const std::string& text) {
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    if (key == -1) return false;
    const BYTE state = HIBYTE(key);
    if (state & ~1) return false;  // needs Ctrl or Alt: not a plain key
    PressKey(LOBYTE(key), (state & 1) != 0);
  }
  return true;
}

void ClickWindow(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof clicks[0]);
}

HWND OpenDialogUser::FileNameBox() const {
  // Newer systems use a ComboBoxEx with an edit inside; the older layout,
  // and Wine's, a plain edit.
  if (HWND combo = GetDlgItem(dialog_, kFileNameCombo)) {
    if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
    HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr);
    if (inner) {
      if (HWND edit = FindWindowExA(inner, nullptr, "Edit", nullptr)) return edit;
    }
  }
  return GetDlgItem(dialog_, kFileNameEdit);
}

HWND OpenDialogUser::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(guiThread_, &info) ? info.hwndFocus : nullptr;
}

bool OpenDialogUser::TypeFileName(const std::string& name) {
  HWND box = FileNameBox();
  if (!box || Focus() != box) return false;
  PressKey(VK_END);
  PressKey(VK_HOME, true);
  if (!TypeAscii(name)) return false;
  return WaitUntil([&] { return WindowText(box) == name; });
}

HWND OpenDialogUser::OwnedBox() const { return FindOwnedDialog(dialog_, nullptr); }

bool OpenDialogUser::WaitClosed() const {
  return WaitUntil([&] { return !IsWindow(dialog_) || !IsWindowVisible(dialog_); });
}

bool RunWithOpenDialog(HWND owner, const std::function<void()>& action,
                       const std::function<void(OpenDialogUser&)>& user, DWORD timeoutMs) {
  const DWORD guiThread = GetCurrentThreadId();
  std::atomic<bool> actionDone{false};
  bool seen = false;
  std::thread watcher([&] {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return actionDone || (dialog = FindOwnedDialog(owner, kOpenDialogCaption)) != nullptr; },
                   timeoutMs) ||
        !dialog) {
      return;
    }
    seen = true;
    OpenDialogUser person(dialog, guiThread);
    // The dialog puts the focus into its file name box once it is set up;
    // keys typed before that would go elsewhere.
    HWND box = person.FileNameBox();
    WaitUntil([&] { return box && person.Focus() == box; }, timeoutMs);
    user(person);
    // Leave nothing open: a forgotten warning or the dialog itself would
    // keep action from returning.
    while (IsWindow(dialog) && !actionDone) {
      if (HWND box = person.OwnedBox()) PostMessageA(box, WM_COMMAND, IDOK, 0);
      else PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      Sleep(100);
    }
  });
  action();
  actionDone = true;
  watcher.join();
  return seen;
}
