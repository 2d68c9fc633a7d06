// Uses the system's open-file dialog the way a person at the keyboard would:
// a second thread waits for the dialog, reads what it shows through Win32 and
// types into it with real key input (SendInput), while the thread under test
// sits in the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/ui_driver.h"  // PressKey: real key input

// The dialog's caption under code page 936 (the system's own "Open").
inline constexpr char kOpenDialogCaption[] = "打开";

// Control ids of the explorer-style dialog.
inline constexpr int kFileNameCombo = 0x47C;  // cmb13, a ComboBoxEx on newer systems
inline constexpr int kFileNameEdit = 0x480;   // edt1
inline constexpr int kFileTypeCombo = 0x470;  // cmb1
inline constexpr int kReadOnlyCheck = 0x410;  // chx1

// Waits (polling, up to timeoutMs) until ready() holds; false if it never did.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = 10000);

// Window text through WM_GETTEXT, also across threads.
std::string WindowText(HWND window);

// Types ASCII text key by key (VkKeyScanA); false if a character has no key.
bool TypeAscii(const std::string& text);
// A real left click (pointer moved there, button down and up) in the middle
// of a window.
void ClickWindow(HWND window);

// What the user sees and does while one dialog is up. Used on the watcher
// thread only.
class OpenDialogUser {
 public:
  OpenDialogUser(HWND dialog, DWORD guiThread) : dialog_(dialog), guiThread_(guiThread) {}
  OpenDialogUser(const OpenDialogUser&) = delete;
  OpenDialogUser& operator=(const OpenDialogUser&) = delete;

  HWND dialog() const { return dialog_; }
  // The edit control that takes the file name.
  HWND FileNameBox() const;
  std::string FileNameText() const { return WindowText(FileNameBox()); }
  // The window that has the keyboard focus on the dialog's thread.
  HWND Focus() const;

  // Replaces the file name box's text as a user would: End, Shift+Home, then
  // the text typed key by key. True once the box shows exactly that text.
  bool TypeFileName(const std::string& name);
  // Enter in the file name box: the dialog's default button, Open.
  void Confirm() { PressKey(VK_RETURN); }
  void Cancel() { PressKey(VK_ESCAPE); }

  // A message box the dialog put up over itself (its warnings), or null.
  HWND OwnedBox() const;
  // True once the dialog has closed.
  bool WaitClosed() const;

 private:
  HWND dialog_;
  DWORD guiThread_;
};

// Runs action on this thread while a watcher thread waits for the open-file
// dialog owned by owner and hands it to user once its file name box has the
// focus. Whatever user leaves open is cancelled afterwards, so action always
// returns. False when no dialog came up.
bool RunWithOpenDialog(HWND owner, const std::function<void()>& action,
                       const std::function<void(OpenDialogUser&)>& user, DWORD timeoutMs = 15000);
