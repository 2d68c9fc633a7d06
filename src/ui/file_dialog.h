// The main window's file dialog component: shows the system's open-file
// dialog and remembers the path last confirmed in it. It has no window of its
// own; the dialog exists only while ShowOpenDialog runs.
#pragma once

#include <windows.h>

#include <string>

enum class FileDialogKind { OpenFile };

class FileDialog {
 public:
  // Settings. The program never changes them; they stay as they are here.
  FileDialogKind DialogKind = FileDialogKind::OpenFile;
  std::string Title;             // empty: the system's own caption
  std::string Filter;            // "description|pattern|..."; empty: all files, no type list
  int InitialFilterIndex = 0;    // zero-based; used only with a filter
  std::string InitialDirectory;  // empty: the dialog's own choice
  std::string DefaultExtension;  // empty: none
  bool PromptCreate = false;
  bool FileMustExist = true;
  bool PromptOverwrite = true;
  bool PathMustExist = true;
  bool NoChangeDirectory = false;

  // Full path of the file last confirmed in the dialog; empty until then.
  std::string FileName;

  // Shows the dialog modally, owned by owner (which may be null), and returns
  // once it has closed. True when the user confirmed a file: FileName now
  // holds its path. False on cancel, close or any failure (for instance a
  // path that does not fit the 260-character buffer): FileName is unchanged.
  // The owner is disabled while the dialog is up and left enabled or
  // disabled afterwards as it was before; the window that had the keyboard
  // focus gets it back if it still exists and its owner is enabled.
  bool ShowOpenDialog(HWND owner);
};
