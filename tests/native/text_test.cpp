// The texts are GBK bytes at run time, and the comparisons that case-fold
// ASCII must leave double-byte characters alone.
#include <gtest/gtest.h>

#include <string>

#include "association/messages.h"
#include "text/ansi_text.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

TEST(ExecCharset, TextsAreGbkBytes) {
  // 文 件 关 联 成 功 ， in GBK.
  EXPECT_EQ(Hex(std::string(messages::kAddSucceeded).substr(0, 14)),
            "CE C4 BC FE B9 D8 C1 AA B3 C9 B9 A6 A3 AC");
  // The full-width quotes around the dot: “ = A1 B0, ” = A1 B1.
  std::string invalid = messages::kInvalidExtension;
  EXPECT_NE(invalid.find("\xA1\xB0.\xA1\xB1"), std::string::npos) << Hex(invalid);
}

TEST(EqualsIgnoringAsciiCase, Cases) {
  struct Case { const char* a; const char* b; bool equal; } cases[] = {
      {"txtfile", "TXTFILE", true},
      {"TxtFile", "txtfilE", true},
      {"txtfile", "txtfile2", false},
      {"", "", true},
      {"a", "b", false},
      // 0x81 0x41 and 0x81 0x61 are two different double-byte characters:
      // their second bytes must not be folded like the letters A and a.
      {"\x81\x41" "file", "\x81\x61" "file", false},
      {"\x81\x41" "FILE", "\x81\x41" "file", true},
      // A lone lead byte at the end compares as a byte.
      {"ab\x81", "AB\x81", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::EqualsIgnoringAsciiCase(c.a, c.b), c.equal) << c.a << " vs " << c.b;
  }
}

}  // namespace
