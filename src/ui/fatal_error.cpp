#include "ui/fatal_error.h"

#include <windows.h>
#include <ole2.h>

#include <atomic>

#include "text/fatal_error_text.h"

namespace {
std::atomic<bool> gExitRoutineDropped{false};
}

bool ExitRoutineDropped() { return gExitRoutineDropped; }

void ReportFatalError(const char* message, int code) {
  gExitRoutineDropped = true;
  static char text[2048];
  FormatFatalErrorText(text, sizeof text, message, code);
  MessageBoxA(nullptr, text, "错误", MB_ICONERROR);
  OleUninitialize();
  ExitProcess(static_cast<UINT>(-1));
}
