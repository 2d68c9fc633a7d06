// Reading and writing a control's whole text as an ANSI byte string.
#pragma once

#include <windows.h>

#include <string>

// A fresh copy of the whole text, blanks kept; empty when the box is empty.
std::string ReadControlText(HWND control);

// Replaces the whole text byte for byte; the empty text empties the box.
void WriteControlText(HWND control, const std::string& text);
