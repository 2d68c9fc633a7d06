#include "ui/control_text.h"

#include <vector>

std::string ReadControlText(HWND control) {
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void WriteControlText(HWND control, const std::string& text) { SetWindowTextA(control, text.c_str()); }
