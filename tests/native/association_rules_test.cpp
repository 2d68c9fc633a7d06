// Which extensions can make an association, and what the items and the open
// command look like.
#include <gtest/gtest.h>

#include "association/association_rules.h"

namespace {

TEST(CheckExtension, Cases) {
  struct Case { std::string ext; ExtensionCheck expected; } cases[] = {
      {"txt", ExtensionCheck::kUsable},
      {"tar.gz", ExtensionCheck::kUsable},
      {"a b", ExtensionCheck::kUsable},
      {"\xCE\xC4\xBC\xFE", ExtensionCheck::kUsable},  // 文件
      // Second bytes 0x5C and 0x7C belong to the double-byte letters.
      {"\x95\x5C", ExtensionCheck::kUsable},
      {"\x81\x7C", ExtensionCheck::kUsable},
      {"", ExtensionCheck::kInvalid},
      {".txt", ExtensionCheck::kInvalid},
      {".", ExtensionCheck::kInvalid},
      {"a\\b", ExtensionCheck::kInvalid},
      {"a/b", ExtensionCheck::kInvalid},
      {"a:b", ExtensionCheck::kInvalid},
      {"a*", ExtensionCheck::kInvalid},
      {"a?", ExtensionCheck::kInvalid},
      {"a\"", ExtensionCheck::kInvalid},
      {"<a", ExtensionCheck::kInvalid},
      {">a", ExtensionCheck::kInvalid},
      {"a|b", ExtensionCheck::kInvalid},
      {"a\tb", ExtensionCheck::kInvalid},
      {"a\x7F", ExtensionCheck::kInvalid},
      {std::string("a\0b", 3), ExtensionCheck::kInvalid},
      {"exe", ExtensionCheck::kExecutableType},
      {"EXE", ExtensionCheck::kExecutableType},
      {"Com", ExtensionCheck::kExecutableType},
      {"bat", ExtensionCheck::kExecutableType},
      {"cmd", ExtensionCheck::kExecutableType},
      {"pif", ExtensionCheck::kExecutableType},
      {"scR", ExtensionCheck::kExecutableType},
      {"LNK", ExtensionCheck::kExecutableType},
      {"exe2", ExtensionCheck::kUsable},
      {"ex", ExtensionCheck::kUsable},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckExtension(c.ext), c.expected) << "extension [" << c.ext << "]";
  }
}

TEST(AssociationItems, NamesOfTheItems) {
  EXPECT_EQ(ProgramTypeName("txt"), "txtfile");
  EXPECT_EQ(ExtensionItem("txt"), ".txt\\");
  EXPECT_EQ(DefaultIconItem("txt"), "txtfile\\DefaultIcon\\");
  EXPECT_EQ(OpenCommandItem("txt"), "txtfile\\shell\\open\\command\\");
  EXPECT_EQ(OpenKeyItem("txt"), "txtfile\\shell\\open\\");
  EXPECT_EQ(ShellKeyItem("txt"), "txtfile\\shell\\");
  EXPECT_EQ(ProgramTypeItem("txt"), "txtfile\\");
}

TEST(OpenCommand, QuotesOnlyAnExistingUnquotedPathWithSpaces) {
  struct Case { const char* program; bool exists; const char* command; } cases[] = {
      {"C:\\Tools\\view.exe", true, "C:\\Tools\\view.exe  \"%1\""},
      {"C:\\Program Files\\V\\v.exe", true, "\"C:\\Program Files\\V\\v.exe\"  \"%1\""},
      // Not a file: kept as typed, it may carry its own arguments.
      {"C:\\Program Files\\V\\v.exe /view", false, "C:\\Program Files\\V\\v.exe /view  \"%1\""},
      {"\"C:\\Program Files\\V\\v.exe\"", true, "\"C:\\Program Files\\V\\v.exe\"  \"%1\""},
      {"", false, "  \"%1\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OpenCommand(c.program, c.exists), c.command) << c.program;
  }
}

TEST(NamesProgramTypeOf, IgnoresLetterCaseOnly) {
  EXPECT_TRUE(NamesProgramTypeOf("txtfile", "txt"));
  EXPECT_TRUE(NamesProgramTypeOf("TXTFile", "txt"));
  EXPECT_FALSE(NamesProgramTypeOf("txtfile2", "txt"));
  EXPECT_FALSE(NamesProgramTypeOf("Notepad.txt", "txt"));
  EXPECT_FALSE(NamesProgramTypeOf("", "txt"));
}

}  // namespace
