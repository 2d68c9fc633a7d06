#include "ui/load_icon_file.h"

#include "ui/icon_path.h"

void LoadIconFile(FileDialog& dialog, HWND owner, HWND) {
  if (!dialog.ShowOpenDialog(owner)) return;
  IconPath = dialog.FileName;
}
