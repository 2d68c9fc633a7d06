// The main window's edit boxes: black text on a white brush of their own,
// with the single text line centred vertically in the box.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

// Creates the box hidden, with DEFAULT_GUI_FONT, no length limit, the caret
// at the start and the centred text band. Null on failure.
HWND CreateEditBox(HWND parent, const ControlDefinition& control, HINSTANCE instance);

// The box's own white brush, for WM_CTLCOLOREDIT; null for other windows.
HBRUSH EditBoxBrush(HWND box);
