#include "support/ui_driver.h"

#include "ui/message_loop.h"

void Pump(HWND mainWindow, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (PreTranslateKey(mainWindow, msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

namespace {
void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}
}  // namespace

void PressKey(WORD vk, bool shift, bool alt) {
  if (shift) SendKey(VK_SHIFT, false);
  if (alt) SendKey(VK_MENU, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (alt) SendKey(VK_MENU, true);
  if (shift) SendKey(VK_SHIFT, true);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) continue;
    PressKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
  }
}

void ClickAt(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3]{};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = (p.x * 65536 + w / 2) / w;
    i.mi.dy = (p.y * 65536 + h / 2) / h;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, in, sizeof in[0]);
}

bool BringToFront(HWND window) {
  for (int i = 0; i < 100; ++i) {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) TranslateMessage(&msg), DispatchMessageA(&msg);
    }
    Sleep(10);
  }
  return GetForegroundWindow() == window;
}

RECT RectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
