// The program's one window and its twelve controls.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

struct MainWindow;

// Registers the classes (once), creates the window centred on the screen
// with its controls, stacks and shows them. Null when any window could not
// be created (nothing is left behind then). The object belongs to the
// window and goes with it.
MainWindow* CreateMainWindow(HINSTANCE instance);

HWND WindowOf(const MainWindow* mainWindow);

// The control at a position of the table.
HWND ControlOf(HWND mainWindow, ControlIndex index);

// Whether WM_NCDESTROY posts WM_QUIT: only while the message loop runs.
void SetQuitOnDestroy(bool quit);
