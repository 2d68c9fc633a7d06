// The window classes of our own (main window, labels, preview box) share one
// shape: redrawn whole on resize, double clicks, arrow cursor, and no class
// brush or icon, since each window paints all of itself.
#pragma once

#include <windows.h>

// True when the class is registered, now or before.
bool RegisterOwnWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);
