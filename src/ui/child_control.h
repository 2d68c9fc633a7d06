// Creating one of the main window's controls from its definition.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

// A child of parent of the given class with the definition's place, size,
// styles and identifier, created hidden, in DEFAULT_GUI_FONT. Null on failure.
HWND CreateChildControl(HWND parent, const ControlDefinition& control, const char* className, HINSTANCE instance);
