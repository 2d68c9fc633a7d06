// The icon preview box: a bordered child window of our own class that paints
// its picture, placed to fit, on the button face colour.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "ui/control_table.h"

bool RegisterPictureBoxClass(HINSTANCE instance);
HWND CreatePictureBox(HWND parent, const ControlDefinition& control, HINSTANCE instance);

// Replaces the box's picture by the one in the size bytes at data (BMP,
// JPEG, icon, cursor, GIF, 8-bit or monochrome PCX, told by the first six
// bytes), or clears it when there is none it can show. The box keeps a copy
// of the bytes; the caller keeps its own. The box repaints on its next paint.
void SetPicture(HWND box, const uint8_t* data, size_t size);
