#include "ui/main_window.h"

#include <string>

#include "association/association.h"
#include "ui/child_control.h"
#include "ui/choose_program.h"
#include "ui/control_text.h"
#include "ui/edit_box.h"
#include "ui/icon_path.h"
#include "ui/file_dialog.h"
#include "ui/label.h"
#include "ui/load_icon_file.h"
#include "ui/picture_box.h"
#include "ui/window_class.h"

namespace {

constexpr char kMainWindowClass[] = "TarnovaMainWindow";
bool gQuitOnDestroy = false;

}  // namespace

struct MainWindow {
  HWND window = nullptr;
  HWND controls[kControlCount] = {};
  HWND rememberedFocus = nullptr;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  HFONT font = nullptr;  // not owned: the stock DEFAULT_GUI_FONT
  FileDialog 通用对话框1;  // shared by "打开" and "加载图标"

  HWND control(ControlIndex i) const { return controls[i]; }
};

namespace {

MainWindow* MainWindowOf(HWND window) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void OnClicked(MainWindow* w, int id) {
  switch (id) {
    case 100:  // 按钮_添加关联
      AddAssociation(ReadControlText(w->control(k编辑框_关联的文件后缀)), ReadControlText(w->control(k编辑框1)),
                     IconPath);
      break;
    case 110:  // 按钮_解除关联
      RemoveAssociation(ReadControlText(w->control(k编辑框_关联的文件后缀)));
      break;
    case 160:  // 按钮_打开关联程序
      ChooseProgram(w->通用对话框1, w->window, w->control(k编辑框1));
      break;
    case 170:  // 按钮_加载图片
      LoadIconFile(w->通用对话框1, w->window, w->control(k图片框1));
      break;
  }
}

void OnActivate(MainWindow* w, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus && IsChild(w->window, focus)) w->rememberedFocus = focus;
}

// The window itself never keeps the focus: it goes back to the control that
// had it, or to the first control of the tab ring.
void OnSetFocus(MainWindow* w) {
  HWND target = w->rememberedFocus;
  if (!target || !IsWindow(target) || !IsChild(w->window, target)) target = w->control(k按钮_添加关联);
  SetFocus(target);
}

void PaintContent(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void OnNcDestroy(MainWindow* w) {
  SetWindowLongPtrA(w->window, GWLP_USERDATA, 0);
  if (w->bigIcon) DestroyIcon(w->bigIcon);
  if (w->smallIcon) DestroyIcon(w->smallIcon);
  delete w;
  if (gQuitOnDestroy) PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* w = MainWindowOf(window);
  if (message == WM_NCCREATE) {
    w = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    w->window = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  }
  if (!w) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && lParam) OnClicked(w, LOWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT: {
      HBRUSH brush = EditBoxBrush(reinterpret_cast<HWND>(lParam));
      if (!brush) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w->font);
    case WM_ACTIVATE:
      OnActivate(w, wParam);
      break;
    case WM_SETFOCUS:
      OnSetFocus(w);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      PaintContent(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      DefWindowProcA(window, message, wParam, lParam);
      return TRUE;  // nothing to save: let Windows log off
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      OnNcDestroy(w);
      return result;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) { return RegisterOwnWindowClass(instance, kMainWindowClass, MainWindowProc); }

bool RegisterClassesOnce(HINSTANCE instance) {
  static bool registered = false;
  if (!registered) {
    registered = RegisterMainWindowClass(instance) && RegisterLabelClass(instance) && RegisterPictureBoxClass(instance);
  }
  return registered;
}

HWND CreateControl(HWND parent, const ControlDefinition& control, HINSTANCE instance) {
  switch (control.kind) {
    case ControlKind::kPushButton:
      return CreateChildControl(parent, control, "BUTTON", instance);
    case ControlKind::kEditBox:
      return CreateEditBox(parent, control, instance);
    case ControlKind::kLabel:
      return CreateLabel(parent, control, instance);
    case ControlKind::kPictureBox:
      return CreatePictureBox(parent, control, instance);
    case ControlKind::kDialogHolder:
      // Holds the file dialog's place in the window; never shown.
      return CreateChildControl(parent, control, "STATIC", instance);
  }
  return nullptr;
}

HICON LoadProgramIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Top to bottom in reverse creation order: 标签4 first.
void StackControls(MainWindow* w) {
  HWND above = HWND_TOP;
  for (int i = kControlCount - 1; i >= 0; --i) {
    SetWindowPos(w->controls[i], above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = w->controls[i];
  }
}

}  // namespace

MainWindow* CreateMainWindow(HINSTANCE instance) {
  if (!RegisterClassesOnce(instance)) return nullptr;
  int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  MainWindow* w = new MainWindow;
  HWND window = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, left, top, kMainWindowWidth,
                                kMainWindowHeight, nullptr, nullptr, instance, w);
  if (!window) {
    delete w;
    return nullptr;
  }
  RECT outer;
  GetWindowRect(window, &outer);
  if (outer.right - outer.left != kMainWindowWidth || outer.bottom - outer.top != kMainWindowHeight) {
    MoveWindow(window, left, top, kMainWindowWidth, kMainWindowHeight, FALSE);
  }
  w->bigIcon = LoadProgramIcon(instance, 32);
  w->smallIcon = LoadProgramIcon(instance, 16);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(w->bigIcon));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(w->smallIcon));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);

  for (int i = 0; i < kControlCount; ++i) {
    w->controls[i] = CreateControl(window, kControls[i], instance);
    if (!w->controls[i]) {
      bool quit = gQuitOnDestroy;
      gQuitOnDestroy = false;
      DestroyWindow(window);  // takes w and the controls made so far with it
      gQuitOnDestroy = quit;
      return nullptr;
    }
  }
  StackControls(w);
  for (int i = 0; i < kControlCount; ++i) {
    if (kControls[i].kind != ControlKind::kDialogHolder) ShowWindow(w->controls[i], SW_SHOWNA);
  }
  ShowWindow(window, SW_SHOW);
  return w;
}

HWND WindowOf(const MainWindow* mainWindow) { return mainWindow ? mainWindow->window : nullptr; }

HWND ControlOf(HWND mainWindow, ControlIndex index) { return GetDlgItem(mainWindow, kControls[index].id); }

void SetQuitOnDestroy(bool quit) { gQuitOnDestroy = quit; }
