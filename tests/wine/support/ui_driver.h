// Driving our windows in-process as a user would: real keyboard and mouse
// input through SendInput, and a message pump that applies the program's
// own key handling.
#pragma once

#include <windows.h>

#include <string>

// Dispatches this thread's messages for ms milliseconds, passing each
// through the main window's key handling first (as the program's loop does).
void Pump(HWND mainWindow, DWORD ms);

// A key press with Shift and/or Alt held; goes to the focused window.
void PressKey(WORD vk, bool shift = false, bool alt = false);

// Types ASCII text key by key.
void TypeText(const std::string& text);

// A left click at a point in the client coordinates of window.
void ClickAt(HWND window, int x, int y);

// Makes window the foreground window and waits until it is.
bool BringToFront(HWND window);

// Rectangle of child in its parent's client coordinates.
RECT RectInParent(HWND child);
