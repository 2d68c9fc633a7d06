#include "ui/program.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>

#include "association/item_path.h"
#include "ui/fatal_error.h"
#include "ui/icon_path.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"

namespace {

void UninitializeOle() {
  if (!ExitRoutineDropped()) OleUninitialize();
}

// Cuts the program's path at its last backslash; without one the directory
// is the empty text, which SetCurrentDirectoryA refuses, and we go on.
void EnterProgramFolder() {
  char path[260] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  path[sizeof path - 1] = '\0';
  // Double-byte aware: a character's second byte may equal '\\'.
  SetCurrentDirectoryA(SplitItemPath(path).key.c_str());
}

}  // namespace

int StartProgram() {
  OleInitialize(nullptr);
  // atexit runs last-registered first: IconPath goes, then OLE.
  std::atexit(UninitializeOle);
  EnterProgramFolder();
  std::atexit(ReleaseIconPath);
  MainWindow* mainWindow = CreateMainWindow(GetModuleHandleA(nullptr));
  if (!mainWindow) ReportFatalError("载入启动窗口失败", 0);
  RunMessageLoop(WindowOf(mainWindow));
  return 0;
}
