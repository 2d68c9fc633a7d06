// Labels: painted child windows of our own class that show their window
// text in DEFAULT_GUI_FONT on the button face colour.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

bool RegisterLabelClass(HINSTANCE instance);
HWND CreateLabel(HWND parent, const ControlDefinition& control, HINSTANCE instance);

// Paints a label into dc; shared by WM_PAINT and WM_PRINTCLIENT.
void PaintLabel(HWND label, HDC dc);
