// The message loop with the window's own keyboard handling.
#pragma once

#include <windows.h>

// Tab / Shift+Tab round the tab ring, Esc closes the window; true when the
// message was consumed. Everything else (Enter included) passes on.
bool PreTranslateKey(HWND mainWindow, const MSG& msg);

// Fetches and dispatches until WM_QUIT; gives its exit code.
int RunMessageLoop(HWND mainWindow);
