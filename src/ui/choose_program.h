// The action of the "打开" button: pick the program of the association in the
// open-file dialog.
#pragma once

#include <windows.h>

#include "ui/file_dialog.h"

// Shows dialog over owner and, when a file was confirmed, writes its path into
// programEdit. Cancel changes nothing, so a path the user typed stays.
void ChooseProgram(FileDialog& dialog, HWND owner, HWND programEdit);
