// The one error box of the program: shown before the process ends.
#pragma once

// Shows "运行时出错!" with the code (when not 0) and the message (when not
// empty) under the caption "错误" with the error icon, drops the exit
// routine, uninitialises OLE and ends the process with exit code -1.
// Allocates nothing, so it also serves when memory has run out.
[[noreturn]] void ReportFatalError(const char* message, int code);

// True once ReportFatalError has started: the exit routine must not run.
bool ExitRoutineDropped();
