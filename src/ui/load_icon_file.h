// The action of the "加载图标" button: pick the icon file of the association
// in the open-file dialog, preview it, and make it IconPath.
#pragma once

#include <windows.h>

#include "ui/file_dialog.h"

void LoadIconFile(FileDialog& dialog, HWND owner, HWND pictureBox);
