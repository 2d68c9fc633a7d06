#include "ui/load_icon_file.h"

#include "ui/icon_path.h"
#include "ui/picture_box.h"
#include "ui/read_whole_file.h"

void LoadIconFile(FileDialog& dialog, HWND owner, HWND pictureBox) {
  // A cancelled dialog leaves the preview and IconPath as they were.
  if (!dialog.ShowOpenDialog(owner)) return;
  {
    const ByteSet bytes = ReadWholeFile(dialog.FileName);
    SetPicture(pictureBox, bytes.data(), bytes.size());
  }  // the box has its own copy
  // The preview only informs: the confirmed file is the icon even when it
  // could not be read or shown.
  IconPath = dialog.FileName;
}
