// A small independent Win32 client for the end-to-end test: it finds the
// program's windows from outside the program and prints what a script needs
// (screen points to click, texts shown), in UTF-8.
//   window_probe point ID      centre of the control ID, in screen pixels
//   window_probe text ID       the control's text
//   window_probe box info      text of the information box ("信息：")
//   window_probe box error     text of the fatal error box ("错误")
//   window_probe exists TITLE  exit 0 when a visible window has that title
//   window_probe dialog        exit 0 while the open-file dialog ("打开") is up
// Captions are built in: Wine cannot pass Chinese arguments here, since the
// zh_CN.UTF-8 locale it runs under is not generated on the machine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ToUtf8(const std::string& ansi) {
  wchar_t wide[4096];
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 4096);
  char utf8[8192];
  WideCharToMultiByte(CP_UTF8, 0, wide, n > 0 ? n : 0, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

// WM_GETTEXT rather than GetWindowTextA, which for another process's window
// gives the text it was created with, not what an edit box holds now.
std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

HWND FindVisible(const std::string& title, const char* cls) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char c[64] = {};
    GetClassNameA(w, c, sizeof c);
    if (IsWindowVisible(w) && TextOf(w) == title && (!cls || lstrcmpA(c, cls) == 0)) return w;
  }
  return nullptr;
}

HWND MainWindow() { return FindVisible("TarnovaV1.0", nullptr); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::string(argv[1]) == "dialog") return FindVisible("打开", "#32770") ? 0 : 1;
  if (argc < 3) return 2;
  std::string command = argv[1];
  if (command == "point" || command == "text") {
    HWND control = GetDlgItem(MainWindow(), std::atoi(argv[2]));
    if (!control) return 1;
    if (command == "text") {
      std::printf("%s\n", ToUtf8(TextOf(control)).c_str());
      return 0;
    }
    RECT r;
    GetWindowRect(control, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
  }
  if (command == "box") {
    const char* caption = std::string(argv[2]) == "error" ? "错误" : "信息：";
    HWND box = FindVisible(caption, "#32770");
    if (!box) return 1;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char cls[64] = {};
      GetClassNameA(c, cls, sizeof cls);
      if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextLengthA(c) > 0) std::printf("%s\n", ToUtf8(TextOf(c)).c_str());
    }
    return 0;
  }
  if (command == "exists") return FindVisible(argv[2], nullptr) ? 0 : 1;
  return 2;
}
