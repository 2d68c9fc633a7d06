// The main window's twelve controls as one table, in creation order. The
// window builds itself from it and the tests check the real window against it.
#pragma once

#include <windows.h>

enum class ControlKind { kPushButton, kEditBox, kLabel, kPictureBox, kDialogHolder };

struct ControlDefinition {
  const char* name;  // as the window definition names it
  ControlKind kind;
  int id;            // 100 + 10 × (position − 1)
  int left, top, width, height;  // client coordinates of the main window
  const char* text;
  DWORD style;       // without WS_VISIBLE: controls are shown once all exist
  DWORD exStyle;
  UINT drawTextFormat;  // labels only
};

inline constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
inline constexpr DWORD kEditStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
inline constexpr DWORD kLabelStyle = WS_CHILD | WS_CLIPSIBLINGS;
inline constexpr UINT kOneLineLabel = DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
inline constexpr UINT kNotesLabel = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER;

inline constexpr char kNotesText[] =
    " \r\n"
    " 注意事项一：关联的文件后缀请不要写上“。”不然无法关联成功\r\n"
    " 注意事项二：关联成功和清除关联后，多需要注销系统，否则看不到效果";

enum ControlIndex {
  k按钮_添加关联, k按钮_解除关联, k图片框1, k标签1, k编辑框1, k标签2,
  k按钮_打开关联程序, k按钮_加载图片, k通用对话框1, k标签3, k编辑框_关联的文件后缀, k标签4,
  kControlCount
};

inline constexpr ControlDefinition kControls[kControlCount] = {
    {"按钮_添加关联", ControlKind::kPushButton, 100, 147, 174, 80, 32, "添加关联", kButtonStyle, 0, 0},
    {"按钮_解除关联", ControlKind::kPushButton, 110, 291, 173, 80, 32, "解除关联", kButtonStyle, 0, 0},
    {"图片框1", ControlKind::kPictureBox, 120, 340, 96, 56, 48, "", kLabelStyle | WS_BORDER, 0, 0},
    {"标签1", ControlKind::kLabel, 130, 247, 97, 80, 48, "关联的图标：", kLabelStyle, 0, kOneLineLabel},
    {"编辑框1", ControlKind::kEditBox, 140, 117, 19, 280, 32, "", kEditStyle, WS_EX_CLIENTEDGE, 0},
    {"标签2", ControlKind::kLabel, 150, 21, 19, 88, 40, "关联的程序：", kLabelStyle, 0, kOneLineLabel},
    {"按钮_打开关联程序", ControlKind::kPushButton, 160, 413, 19, 72, 32, "打开", kButtonStyle, 0, 0},
    {"按钮_加载图片", ControlKind::kPushButton, 170, 413, 95, 72, 48, "加载图标", kButtonStyle, 0, 0},
    {"通用对话框1", ControlKind::kDialogHolder, 180, 288, 64, 24, 16, "", kLabelStyle, 0, 0},
    {"标签3", ControlKind::kLabel, 190, 21, 113, 104, 24, "关联的文件后缀：", kLabelStyle, 0, kOneLineLabel},
    {"编辑框_关联的文件后缀", ControlKind::kEditBox, 200, 128, 105, 96, 32, "", kEditStyle, WS_EX_CLIENTEDGE, 0},
    {"标签4", ControlKind::kLabel, 210, 16, 224, 472, 48, kNotesText, kLabelStyle | WS_BORDER, 0, kNotesLabel},
};

// The tab ring, in creation order.
inline constexpr ControlIndex kTabRing[] = {
    k按钮_添加关联, k按钮_解除关联, k编辑框1, k按钮_打开关联程序, k按钮_加载图片, k编辑框_关联的文件后缀};

inline constexpr char kMainWindowTitle[] = "TarnovaV1.0";
inline constexpr int kMainWindowWidth = 507;
inline constexpr int kMainWindowHeight = 310;
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
