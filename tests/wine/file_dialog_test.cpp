// The open-file dialog and the "打开" action on Wine's real dialog: a second
// thread finds the dialog, reads it through Win32 and answers it with real key
// and mouse input, as the person at the keyboard would.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "support/open_dialog_user.h"
#include "ui/choose_program.h"
#include "ui/file_dialog.h"

namespace {

constexpr UINT kDestroyChild = WM_APP + 1;  // lParam: the child to destroy

// The owner does nothing of its own, except destroying one of its children
// on request, which a test sends while the dialog is up.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDestroyChild) {
    DestroyWindow(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window like the main window: the program edit box (the
// stand-in for 编辑框1) and the "打开" button, which has the focus as after
// a click.
class OwnerWindow {
 public:
  OwnerWindow() {
    static const ATOM kClass = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = OwnerProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = "TarnovaDialogTestOwner";
      return RegisterClassA(&wc);
    }();
    (void)kClass;
    window = CreateWindowExA(0, "TarnovaDialogTestOwner", "TarnovaV1.0", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                             0, 0, 507, 310, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 117, 19,
                           280, 32, window, reinterpret_cast<HMENU>(140), GetModuleHandleA(nullptr), nullptr);
    button = CreateWindowExA(0, "BUTTON", "打开", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 413, 19, 72, 32, window,
                             reinterpret_cast<HMENU>(160), GetModuleHandleA(nullptr), nullptr);
    MoveCentred();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(button);
  }
  ~OwnerWindow() { DestroyWindow(window); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;

  void MoveTo(int left, int top) { SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }
  void MoveCentred() {
    MoveTo((GetSystemMetrics(SM_CXSCREEN) - 507) / 2, (GetSystemMetrics(SM_CYSCREEN) - 310) / 2);
  }

  HWND window = nullptr;
  HWND edit = nullptr;
  HWND button = nullptr;
};

std::string Text(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string NamePart(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tarnova dialog";
    CreateDirectoryA(folder_.c_str(), nullptr);
    program_ = folder_ + "\\viewer.exe";
    icon_ = folder_ + "\\t.ico";
    std::ofstream(program_) << "MZ";
    std::ofstream(icon_) << "icon";
    ASSERT_NE(owner_.window, nullptr);
    ASSERT_EQ(GetFocus(), owner_.button);
  }

  // Shows the dialog on this thread; the user answers it from the watcher.
  bool Show(const std::function<void(OpenDialogUser&)>& user, bool* result = nullptr) {
    bool confirmed = false;
    bool seen = RunWithOpenDialog(owner_.window, [&] { confirmed = dialog_.ShowOpenDialog(owner_.window); }, user);
    if (result) *result = confirmed;
    return seen;
  }

  // Types a name and confirms it; the dialog must close.
  static void ChooseFile(OpenDialogUser& user, const std::string& path) {
    EXPECT_TRUE(user.TypeFileName(path)) << "typed: " << path << ", box: " << user.FileNameText();
    user.Confirm();
    EXPECT_TRUE(user.WaitClosed());
  }

  std::string folder_;
  std::string program_;
  std::string icon_;
  OwnerWindow owner_;
  FileDialog dialog_;
};

TEST_F(FileDialogTest, ChosenFileGoesIntoTheEditBoxAndFileName) {
  SetWindowTextA(owner_.edit, "typed before");
  bool ownerEnabledWhileUp = true;
  int fileTypes = -1;
  bool readOnlyShown = true;
  ASSERT_TRUE(RunWithOpenDialog(owner_.window, [&] { ChooseProgram(dialog_, owner_.window, owner_.edit); },
                                [&](OpenDialogUser& user) {
                                  ownerEnabledWhileUp = IsWindowEnabled(owner_.window);
                                  // All files: no type list, no read-only box.
                                  HWND types = GetDlgItem(user.dialog(), kFileTypeCombo);
                                  fileTypes = types ? int(SendMessageA(types, CB_GETCOUNT, 0, 0)) : 0;
                                  HWND readOnly = GetDlgItem(user.dialog(), kReadOnlyCheck);
                                  readOnlyShown = readOnly && IsWindowVisible(readOnly);
                                  ChooseFile(user, program_);
                                }));
  EXPECT_EQ(Text(owner_.edit), program_);
  EXPECT_EQ(dialog_.FileName, program_);
  EXPECT_FALSE(ownerEnabledWhileUp);
  EXPECT_EQ(fileTypes, 0);
  EXPECT_FALSE(readOnlyShown);
  EXPECT_TRUE(IsWindowEnabled(owner_.window));
  EXPECT_EQ(GetFocus(), owner_.button);
}

// Whichever action chose it, the last path is where the next dialog starts,
// and confirming it unchanged chooses it again.
TEST_F(FileDialogTest, NextDialogOpensWithTheLastChoice) {
  bool confirmed = false;
  ASSERT_TRUE(Show([&](OpenDialogUser& user) { ChooseFile(user, icon_); }, &confirmed));
  ASSERT_TRUE(confirmed);
  ASSERT_EQ(dialog_.FileName, icon_);

  std::string shown;
  ASSERT_TRUE(RunWithOpenDialog(owner_.window, [&] { ChooseProgram(dialog_, owner_.window, owner_.edit); },
                                [&](OpenDialogUser& user) {
                                  shown = user.FileNameText();
                                  user.Confirm();
                                  EXPECT_TRUE(user.WaitClosed());
                                }));
  // Windows shows the whole path; Wine opens its folder and shows the name.
  EXPECT_TRUE(shown == icon_ || shown == NamePart(icon_)) << shown;
  EXPECT_EQ(dialog_.FileName, icon_);
  EXPECT_EQ(Text(owner_.edit), icon_);
}

TEST_F(FileDialogTest, CancelChangesNothing) {
  struct Way {
    const char* name;
    void (*cancel)(OpenDialogUser&);
  } ways[] = {
      {"Esc", [](OpenDialogUser& user) { user.Cancel(); }},
      {"Alt+F4", [](OpenDialogUser&) { PressKey(VK_F4, false, true); }},
      {"Cancel button", [](OpenDialogUser& user) { ClickWindow(GetDlgItem(user.dialog(), IDCANCEL)); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    dialog_.FileName = icon_;  // chosen earlier by the other button
    const std::string typed = "D:\\Typed by hand\\view.exe";
    SetWindowTextA(owner_.edit, typed.c_str());
    SetFocus(owner_.edit);
    ASSERT_TRUE(RunWithOpenDialog(owner_.window, [&] { ChooseProgram(dialog_, owner_.window, owner_.edit); },
                                  [&](OpenDialogUser& user) {
                                    // A choice typed and then abandoned.
                                    EXPECT_TRUE(user.TypeFileName(program_));
                                    way.cancel(user);
                                    EXPECT_TRUE(user.WaitClosed());
                                  }));
    EXPECT_EQ(Text(owner_.edit), typed);
    EXPECT_EQ(dialog_.FileName, icon_);
    EXPECT_TRUE(IsWindowEnabled(owner_.window));
    EXPECT_EQ(GetFocus(), owner_.edit);
  }
}

// The dialog itself refuses names of missing files and folders: it warns
// in a box of its own and stays open.
TEST_F(FileDialogTest, MissingFileIsRefusedByTheDialog) {
  const std::string missing[] = {
      folder_ + "\\no such program.exe",
      folder_ + "\\no such folder\\viewer.exe",
  };
  for (const std::string& path : missing) {
    SCOPED_TRACE(path);
    dialog_.FileName = program_;
    bool confirmed = true;
    std::string warning;
    bool openAfterWarning = false;
    ASSERT_TRUE(Show(
        [&](OpenDialogUser& user) {
          ASSERT_TRUE(user.TypeFileName(path));
          user.Confirm();
          HWND box = nullptr;
          ASSERT_TRUE(WaitUntil([&] { return (box = user.OwnedBox()) != nullptr; }));
          for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) == 0xFFFF && GetWindowTextLengthA(child) > 0) warning = WindowText(child);
          }
          // The warning has the focus on its OK button: Enter dismisses it.
          ASSERT_TRUE(WaitUntil([&] { return GetAncestor(user.Focus(), GA_ROOT) == box; }));
          PressKey(VK_RETURN);
          ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
          openAfterWarning = IsWindowVisible(user.dialog());
          user.Cancel();
          EXPECT_TRUE(user.WaitClosed());
        },
        &confirmed));
    EXPECT_FALSE(warning.empty());
    EXPECT_TRUE(openAfterWarning);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(dialog_.FileName, program_);
  }
}

// Centred over the owner, then moved as little as needed into the work area.
TEST_F(FileDialogTest, DialogLiesOverTheOwnerInsideTheWorkArea) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  struct Place {
    const char* name;
    int left, top;
  } places[] = {
      {"middle of the screen", (screenWidth - 507) / 2, (screenHeight - 310) / 2},
      {"top-left corner, partly off screen", -150, -100},
      {"bottom-right corner", screenWidth - 300, screenHeight - 120},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.name);
    owner_.MoveTo(place.left, place.top);
    RECT box{}, owner{}, work{};
    ASSERT_TRUE(Show([&](OpenDialogUser& user) {
      GetWindowRect(user.dialog(), &box);
      GetWindowRect(owner_.window, &owner);
      MONITORINFO info{};
      info.cbSize = sizeof info;
      GetMonitorInfoA(MonitorFromWindow(owner_.window, MONITOR_DEFAULTTONEAREST), &info);
      work = info.rcWork;
      user.Cancel();
      EXPECT_TRUE(user.WaitClosed());
    }));
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    ASSERT_GT(width, 0);
    ASSERT_LE(width, work.right - work.left);
    ASSERT_LE(height, work.bottom - work.top);
    LONG left = (owner.left + owner.right - width) / 2;
    LONG top = (owner.top + owner.bottom - height) / 2;
    left = std::max(work.left, std::min(left, work.right - width));
    top = std::max(work.top, std::min(top, work.bottom - height));
    EXPECT_NEAR(box.left, left, 2);
    EXPECT_NEAR(box.top, top, 2);
    EXPECT_GE(box.left, work.left);
    EXPECT_GE(box.top, work.top);
    EXPECT_LE(box.right, work.right);
    EXPECT_LE(box.bottom, work.bottom);
  }
}

TEST_F(FileDialogTest, OwnerIsDisabledWhileTheDialogIsUpAndTheFocusComesBack) {
  struct Case {
    const char* name;
    bool enabledBefore;
    bool destroyFocused;  // the focused window goes away meanwhile
    bool focusReturns;
  } cases[] = {
      {"enabled owner", true, false, true},
      // A window inside a disabled owner cannot hold the focus.
      {"owner disabled already", false, false, false},
      {"focused window destroyed meanwhile", true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetFocus(owner_.edit);
    HWND focused = CreateWindowExA(0, "BUTTON", "temp", WS_CHILD | WS_VISIBLE, 10, 100, 60, 24, owner_.window,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    SetFocus(focused);
    EnableWindow(owner_.window, c.enabledBefore);
    bool enabledWhileUp = true;
    ASSERT_TRUE(Show([&](OpenDialogUser& user) {
      enabledWhileUp = IsWindowEnabled(owner_.window);
      if (c.destroyFocused) SendMessageA(owner_.window, kDestroyChild, 0, reinterpret_cast<LPARAM>(focused));
      user.Cancel();
      EXPECT_TRUE(user.WaitClosed());
    }));
    EXPECT_FALSE(enabledWhileUp);
    EXPECT_EQ(IsWindowEnabled(owner_.window) != FALSE, c.enabledBefore);
    EXPECT_EQ(IsWindow(focused) != FALSE, !c.destroyFocused);
    EXPECT_EQ(GetFocus() == focused, c.focusReturns);
    EnableWindow(owner_.window, TRUE);
    if (IsWindow(focused)) DestroyWindow(focused);
  }
}

// A filter of the component's own (the program sets none) reaches the dialog
// as its type list, GBK descriptions intact, with the initial entry chosen.
TEST_F(FileDialogTest, FilterBecomesTheTypeList) {
  dialog_.Filter = "程序|*.exe|所有文件|*.*  ";
  dialog_.InitialFilterIndex = 1;
  std::string first, selected;
  int count = 0;
  ASSERT_TRUE(Show([&](OpenDialogUser& user) {
    HWND types = GetDlgItem(user.dialog(), kFileTypeCombo);
    count = int(SendMessageA(types, CB_GETCOUNT, 0, 0));
    char text[256] = {};
    SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    first = text;
    LRESULT index = SendMessageA(types, CB_GETCURSEL, 0, 0);
    if (index >= 0 && SendMessageA(types, CB_GETLBTEXTLEN, index, 0) < LRESULT(sizeof text)) {
      SendMessageA(types, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
      selected = text;
    }
    user.Cancel();
    EXPECT_TRUE(user.WaitClosed());
  }));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(first, "程序");
  EXPECT_EQ(selected, "所有文件");
}

// The dialog starts from FileName cut to its 259-character buffer, never in
// the middle of a double-byte character.
TEST_F(FileDialogTest, StartingNameIsCutToTheBuffer) {
  const std::string ah = "啊";  // one double-byte character
  struct Case {
    const char* name;
    std::string fileName;
    std::string shown;
  } cases[] = {
      {"fits", std::string(200, 'a'), std::string(200, 'a')},
      {"too long", std::string(300, 'a'), std::string(259, 'a')},
      {"character fits exactly", std::string(257, 'a') + ah, std::string(257, 'a') + ah},
      {"character would be split", std::string(258, 'a') + ah, std::string(258, 'a')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog_.FileName = c.fileName;
    std::string shown;
    bool confirmed = true;
    ASSERT_TRUE(Show(
        [&](OpenDialogUser& user) {
          shown = user.FileNameText();
          user.Cancel();
          EXPECT_TRUE(user.WaitClosed());
        },
        &confirmed));
    EXPECT_EQ(shown, c.shown);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(dialog_.FileName, c.fileName);
  }
}

}  // namespace
