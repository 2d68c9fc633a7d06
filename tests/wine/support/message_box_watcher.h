// Dismisses a message box the way a user would: waits for a top-level dialog
// with the given caption, reads its text, presses its OK button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct DismissedBox {
  bool seen = false;
  std::string text;      // the message
  bool hasIcon = false;  // a visible icon control
  HWND owner = nullptr;
};

// Runs action on this thread while another thread watches for the box; the
// box is pressed OK as soon as it is up. Gives what the box showed (seen is
// false when no box came within timeoutMs).
DismissedBox RunDismissingBox(const char* caption, const std::function<void()>& action, DWORD timeoutMs = 10000);

// Finds a visible top-level window with exactly this title (and class, when
// given), or null.
HWND FindTopLevelWindow(const char* title, const char* className = nullptr);
