// The icon preview box: a bordered child window of our own class that paints
// its picture, placed to fit, on the button face colour.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

bool RegisterPictureBoxClass(HINSTANCE instance);
HWND CreatePictureBox(HWND parent, const ControlSpec& spec, HINSTANCE instance);
