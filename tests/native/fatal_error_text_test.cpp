// The fatal error text, built without allocating.
#include <gtest/gtest.h>

#include <string>

#include "text/fatal_error_text.h"

namespace {

std::string Format(const char* message, int code, size_t capacity = 512) {
  std::string out(capacity, '#');
  FormatFatalErrorText(&out[0], capacity, message, code);
  return out.c_str();
}

TEST(FatalErrorText, Cases) {
  struct Case { const char* message; int code; const char* text; } cases[] = {
      {"载入启动窗口失败", 0, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
      {"", 0, "运行时出错!\r\n\r\n"},
      {nullptr, 0, "运行时出错!\r\n\r\n"},
      {"", -5, "运行时出错!\r\n\r\n错误代码：-5\r\n\r\n"},
      {"x", 12, "运行时出错!\r\n\r\n错误代码：12\r\n\r\n错误信息：x\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.message, c.code), c.text);
}

TEST(FatalErrorText, CutToTheBufferAndTerminated) {
  std::string longMessage(1000, 'm');
  std::string text = Format(longMessage.c_str(), 3, 64);
  EXPECT_EQ(text.size(), 63u);
  EXPECT_EQ(Format("abc", 0, 1), "");
}

TEST(FatalErrorText, AllocationMessage) {
  char out[64];
  FormatAllocationFailure(out, sizeof out, 4096);
  EXPECT_STREQ(out, "分配 4096 字节内存失败!");
}

}  // namespace
