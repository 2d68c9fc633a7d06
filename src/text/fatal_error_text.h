// The text of the fatal error box. Written into a caller's buffer, without
// allocating, because it is also used when memory has run out.
#pragma once

#include <cstddef>

// "运行时出错!\r\n\r\n", then "错误代码：" code "\r\n\r\n" when code is not
// 0, then "错误信息：" message "\r\n" when message is not empty. Cut to fit
// capacity (capacity > 0), always NUL-terminated.
void FormatFatalErrorText(char* out, size_t capacity, const char* message, int code);

// "分配 %d 字节内存失败!" for a failed allocation of bytes.
void FormatAllocationFailure(char* out, size_t capacity, size_t bytes);
