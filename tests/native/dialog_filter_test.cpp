// The file-type list handed to the open-file dialog: NUL-separated pairs
// ending in two NULs, built from GBK text without splitting its characters.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/dialog_filter.h"

namespace {

using namespace std::string_literals;

// Shows NULs as "\0" so a failing case reads like its expectation.
std::string Visible(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    if (c == '\0') out += "\\0";
    else out += c;
  }
  return out;
}

TEST(BuildDialogFilter, Cases) {
  struct Case {
    const char* name;
    std::string filter;
    std::string built;
  } cases[] = {
      {"empty", "", ""},
      {"only blanks", " \t\r\n ", ""},
      {"one pair", "Programs|*.exe", "Programs\0*.exe\0\0"s},
      {"two pairs", "Programs|*.exe|All|*.*", "Programs\0*.exe\0All\0*.*\0\0"s},
      {"already ends in ||", "Programs|*.exe||", "Programs\0*.exe\0\0"s},
      {"ends in a single |", "Programs|*.exe|", "Programs\0*.exe\0\0\0"s},
      {"trailing blanks", "Programs|*.exe   ", "Programs\0*.exe\0\0"s},
      {"trailing tab and CR LF", "Programs|*.exe\t\r\n", "Programs\0*.exe\0\0"s},
      {"blanks after ||", "Programs|*.exe|| \t", "Programs\0*.exe\0\0"s},
      {"inner blanks are kept", " All files | *.* ", " All files \0 *.*\0\0"s},
      {"separators only", "||", "\0\0"s},
      // 0x81 0x7C is one double-byte character: its second byte is not a bar.
      {"second byte 0x7C", "\x81|x|*.x", "\x81|x\0*.x\0\0"s},
      {"second byte 0x7C before ||", "a|\x81|||", "a\0\x81|\0\0"s},
      // 程序 (B3 CC D0 F2) as a description.
      {"GBK description", "\xB3\xCC\xD0\xF2|*.exe", "\xB3\xCC\xD0\xF2\0*.exe\0\0"s},
      // A lead byte with nothing after it stands alone and leaves the
      // appended end of the list intact.
      {"lone lead byte at the end", "Programs|*.\x81", "Programs\0*.\x81\0\0"s},
      // 0x81 0x20 is a double-byte character, not a trailing blank.
      {"second byte 0x20 is not a blank", "a|b\x81 ", "a\0b\x81 \0\0"s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Visible(text::BuildDialogFilter(c.filter)), Visible(c.built)) << c.name;
  }
}

TEST(DialogFilterIndex, Cases) {
  const std::string list = text::BuildDialogFilter("Programs|*.exe|All|*.*");
  struct Case {
    const char* name;
    std::string built;
    int initialIndex;
    std::uint32_t expected;
  } cases[] = {
      {"no list ignores the index", "", 3, 0},
      {"no list, negative index", "", -1, 0},
      {"first entry", list, 0, 1},
      {"second entry", list, 1, 2},
      {"negative selects the first", list, -1, 1},
      {"most negative", list, INT_MIN, 1},
      {"largest index does not wrap", list, INT_MAX, 0x80000000u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::DialogFilterIndex(c.built, c.initialIndex), c.expected) << c.name;
  }
}

}  // namespace
