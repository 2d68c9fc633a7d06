// The real main window under Wine: its shape checked through Win32 against
// the control table, and its keyboard and mouse behaviour driven with real
// input.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "association/messages.h"
#include "support/message_box_watcher.h"
#include "support/registry_fixture.h"
#include "support/ui_driver.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/information_box.h"
#include "ui/main_window.h"

namespace {

class MainWindowTest : public RegistryTest {
 protected:
  void SetUp() override {
    MainWindow* w = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(w, nullptr);
    window_ = WindowOf(w);
    ASSERT_TRUE(BringToFront(window_));
    Pump(window_, 50);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    Pump(nullptr, 20);
    RegistryTest::TearDown();
  }
  HWND Control(ControlIndex i) const { return ControlOf(window_, i); }

  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, WindowIsCentredWithItsFixedFrame) {
  RECT r;
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.right - r.left, 507);
  EXPECT_EQ(r.bottom - r.top, 310);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 507) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 310) / 2);

  char title[64] = {};
  GetWindowTextA(window_, title, sizeof title);
  EXPECT_STREQ(title, "TarnovaV1.0");
  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), LONG(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN));
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetParent(window_), nullptr);
  EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(window_), nullptr);

  EXPECT_EQ(GetClassLongPtrA(window_, GCL_STYLE), ULONG_PTR(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND), 0u);
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HICON), 0u);
  EXPECT_NE(SendMessageA(window_, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(window_, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window_, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(MainWindowTest, ControlsMatchTheTable) {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlDefinition& control = kControls[i];
    SCOPED_TRACE(control.name);
    HWND c = Control(ControlIndex(i));
    ASSERT_NE(c, nullptr);
    RECT r = RectInParent(c);
    EXPECT_EQ(r.left, control.left);
    EXPECT_EQ(r.top, control.top);
    EXPECT_EQ(r.right - r.left, control.width);
    EXPECT_EQ(r.bottom - r.top, control.height);
    EXPECT_EQ(GetDlgCtrlID(c), 100 + 10 * i);
    bool shown = control.kind != ControlKind::kDialogHolder;
    EXPECT_EQ(IsWindowVisible(c) != FALSE, shown);
    EXPECT_EQ(DWORD(GetWindowLongA(c, GWL_STYLE)) & ~WS_VISIBLE, control.style);
    EXPECT_EQ(DWORD(GetWindowLongA(c, GWL_EXSTYLE)), control.exStyle);
    EXPECT_EQ(ReadControlText(c), control.text);
    if (shown) {
      EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(c, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    }
    char cls[64] = {};
    GetClassNameA(c, cls, sizeof cls);
    if (control.kind == ControlKind::kPushButton) {
      EXPECT_STREQ(cls, "Button");
    }
    if (control.kind == ControlKind::kEditBox) {
      EXPECT_STREQ(cls, "Edit");
    }
    if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kPictureBox) {
      EXPECT_EQ(GetClassLongPtrA(c, GCL_STYLE), ULONG_PTR(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
      EXPECT_EQ(GetClassLongPtrA(c, GCLP_HBRBACKGROUND), 0u);
    }
  }
  // The notes: a blank first line, then the two notes, each after a space.
  EXPECT_EQ(ReadControlText(Control(k标签4)),
            " \r\n 注意事项一：关联的文件后缀请不要写上“。”不然无法关联成功\r\n"
            " 注意事项二：关联成功和清除关联后，多需要注销系统，否则看不到效果");
  EXPECT_EQ(SendMessageA(Control(k编辑框1), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(MainWindowTest, ControlsAreStackedInReverseCreationOrder) {
  int expected = kControlCount - 1;
  for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), --expected) {
    ASSERT_GE(expected, 0);
    EXPECT_EQ(GetDlgCtrlID(c), kControls[expected].id);
  }
  EXPECT_EQ(expected, -1);
}

TEST_F(MainWindowTest, EditTextLineIsCentredInTheBox) {
  for (ControlIndex i : {k编辑框1, k编辑框_关联的文件后缀}) {
    HWND box = Control(i);
    RECT client, window;
    GetClientRect(box, &client);
    GetWindowRect(box, &window);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    int top = origin.y - window.top;
    int bottom = window.bottom - (origin.y + client.bottom);
    EXPECT_LT(client.bottom, 20) << "one text line, not the box's height";
    EXPECT_LE(std::abs(top - bottom), 1) << "band above " << top << ", below " << bottom;
  }
}

TEST_F(MainWindowTest, StartsWithFocusOnAddButton) { EXPECT_EQ(GetFocus(), Control(k按钮_添加关联)); }

TEST_F(MainWindowTest, TabGoesRoundTheRingBothWays) {
  const ControlIndex ring[] = {k按钮_添加关联, k按钮_解除关联, k编辑框1, k按钮_打开关联程序, k按钮_加载图片,
                               k编辑框_关联的文件后缀};
  for (int step = 1; step <= 6; ++step) {
    PressKey(VK_TAB);
    Pump(window_, 60);
    EXPECT_EQ(GetFocus(), Control(ring[step % 6])) << "after " << step << " Tab";
  }
  for (int step = 1; step <= 6; ++step) {
    PressKey(VK_TAB, /*shift=*/true);
    Pump(window_, 60);
    EXPECT_EQ(GetFocus(), Control(ring[(6 - step) % 6])) << "after " << step << " Shift+Tab";
  }
}

TEST_F(MainWindowTest, EnterChangesNothing) {
  SetFocus(Control(k编辑框1));
  TypeText("abc");
  PressKey(VK_RETURN);
  Pump(window_, 100);
  EXPECT_EQ(GetFocus(), Control(k编辑框1));
  EXPECT_EQ(ReadControlText(Control(k编辑框1)), "abc");
  EXPECT_EQ(FindTopLevelWindow(kInformationCaption, "#32770"), nullptr);
  // Enter on a button does not click it.
  SetFocus(Control(k按钮_解除关联));
  PressKey(VK_RETURN);
  Pump(window_, 100);
  EXPECT_EQ(FindTopLevelWindow(kInformationCaption, "#32770"), nullptr);
  EXPECT_TRUE(IsWindow(window_));
}

TEST_F(MainWindowTest, EscFromAnEditBoxClosesTheWindow) {
  SetFocus(Control(k编辑框_关联的文件后缀));
  PressKey(VK_ESCAPE);
  Pump(window_, 100);
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(MainWindowTest, FocusComesBackAfterAnotherWindowWasActive) {
  SetFocus(Control(k编辑框1));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(BringToFront(other));
  EXPECT_NE(GetFocus(), Control(k编辑框1));
  ASSERT_TRUE(BringToFront(window_));
  Pump(window_, 50);
  EXPECT_EQ(GetFocus(), Control(k编辑框1));
  DestroyWindow(other);
}

TEST_F(MainWindowTest, ClickAboveTheTextLineDoesNotMoveTheCaret) {
  HWND box = Control(k编辑框1);
  SetFocus(box);
  TypeText("abcdefgh");
  Pump(window_, 50);
  RECT r = RectInParent(box);
  // Above the band, over the first letters.
  ClickAt(window_, r.left + 6, r.top + 4);
  Pump(window_, 80);
  DWORD start = 0, end = 0;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 8u);
  // In the band the same column does move it.
  ClickAt(window_, r.left + 6, (r.top + r.bottom) / 2);
  Pump(window_, 80);
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_LT(start, 2u);
}

TEST_F(MainWindowTest, LongTextScrolls) {
  HWND box = Control(k编辑框_关联的文件后缀);
  SetFocus(box);
  std::string longText(120, 'x');
  TypeText(longText);
  Pump(window_, 50);
  EXPECT_EQ(ReadControlText(box), longText);
  EXPECT_GT(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "first visible character";
}

TEST_F(MainWindowTest, AddAndRemoveButtonsUseTheBoxesAsTyped) {
  std::string ext = FreshExtension();
  SetFocus(Control(k编辑框_关联的文件后缀));
  TypeText(ext);
  Pump(window_, 50);  // the keys reach the box before the focus moves on
  SetFocus(Control(k编辑框1));
  TypeText("C:\\Tools\\view.exe");
  Pump(window_, 50);
  RECT add = RectInParent(Control(k按钮_添加关联));
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] {
    ClickAt(window_, (add.left + add.right) / 2, (add.top + add.bottom) / 2);
    Pump(window_, 400);
  });
  EXPECT_EQ(box.text, messages::kAddSucceeded);
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "." + ext).AsText(), ext + "file");
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ext + "file\\shell\\open\\command").AsText(), "C:\\Tools\\view.exe  \"%1\"");

  RECT remove = RectInParent(Control(k按钮_解除关联));
  box = RunDismissingBox(kInformationCaption, [&] {
    ClickAt(window_, (remove.left + remove.right) / 2, (remove.top + remove.bottom) / 2);
    Pump(window_, 400);
  });
  EXPECT_EQ(box.text, messages::kRemoveSucceeded);
  EXPECT_FALSE(ReadValue(HKEY_CLASSES_ROOT, "." + ext).valueExists);
}

TEST_F(MainWindowTest, SpaceOnTheFocusedAddButtonClicksIt) {
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] {
    PressKey(VK_SPACE);
    Pump(window_, 400);
  });
  // Both boxes are empty: the extension is refused before anything is written.
  EXPECT_EQ(box.text, messages::kInvalidExtension);
}

// Rows of a window's client area that hold anything but the button face
// colour, rendered through WM_PRINTCLIENT into a bitmap of our own.
struct InkRows { int first = -1, last = -1; };

InkRows InkRowsOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = client.right;
  bi.bmiHeader.biHeight = -client.bottom;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  DWORD faceBgr = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  InkRows rows;
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if ((pixels[y * client.right + x] & 0xFFFFFF) != faceBgr) {
        if (rows.first < 0) rows.first = y;
        rows.last = y;
        break;
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return rows;
}

TEST_F(MainWindowTest, OneLineLabelsAreCentredVertically) {
  for (ControlIndex i : {k标签1, k标签2, k标签3}) {
    HWND label = Control(i);
    RECT client;
    GetClientRect(label, &client);
    InkRows ink = InkRowsOf(label);
    ASSERT_GE(ink.first, 0) << kControls[i].name << " shows no text";
    int above = ink.first, below = client.bottom - 1 - ink.last;
    EXPECT_LE(std::abs(above - below), 4) << kControls[i].name << ": " << above << " above, " << below << " below";
  }
}

TEST_F(MainWindowTest, NotesStartWithABlankLineAtTheTop) {
  HWND notes = Control(k标签4);
  InkRows ink = InkRowsOf(notes);
  HDC dc = GetDC(notes);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(notes, dc);
  // The first line is a single space: the ink starts on the second line.
  EXPECT_GE(ink.first, tm.tmHeight - 2);
  EXPECT_LT(ink.first, 2 * tm.tmHeight);
  EXPECT_GT(ink.last, 2 * tm.tmHeight) << "the third line is drawn too";
}

TEST_F(MainWindowTest, ConsentsToEndTheSession) {
  EXPECT_TRUE(SendMessageA(window_, WM_QUERYENDSESSION, 0, 0));
  EXPECT_TRUE(IsWindow(window_));
}

}  // namespace
