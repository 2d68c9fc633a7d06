#include "text/fatal_error_text.h"

#include <cstdio>

void FormatFatalErrorText(char* out, size_t capacity, const char* message, int code) {
  if (capacity == 0) return;
  int used = std::snprintf(out, capacity, "%s", "运行时出错!\r\n\r\n");
  auto room = [&] { return used >= 0 && static_cast<size_t>(used) < capacity; };
  if (code != 0 && room()) used += std::snprintf(out + used, capacity - used, "错误代码：%d\r\n\r\n", code);
  if (message && *message && room()) std::snprintf(out + used, capacity - used, "错误信息：%s\r\n", message);
}

void FormatAllocationFailure(char* out, size_t capacity, size_t bytes) {
  if (capacity) std::snprintf(out, capacity, "分配 %zu 字节内存失败!", bytes);
}
