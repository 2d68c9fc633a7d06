// Cutting item texts into key path and value name, double-byte aware.
#include <gtest/gtest.h>

#include "association/item_path.h"

namespace {

TEST(SplitItemPath, Cases) {
  struct Case { std::string item, key, value; } cases[] = {
      {".txt\\", ".txt", ""},
      {"txtfile\\DefaultIcon\\", "txtfile\\DefaultIcon", ""},
      {"txtfile\\shell\\open\\command\\", "txtfile\\shell\\open\\command", ""},
      {"Software\\Tarnova\\Name", "Software\\Tarnova", "Name"},
      {"NoBackslash", "", "NoBackslash"},
      {"", "", ""},
      {"\\", "", ""},
      {"\\leading", "", "leading"},
      // 0x95 0x5C is one double-byte character whose second byte looks like a
      // backslash: the split is at the real last backslash only.
      {"key\\\x95\x5C" "name", "key", "\x95\x5C" "name"},
      {"\x95\x5C\\value", "\x95\x5C", "value"},
      {"\x95\x5C", "", "\x95\x5C"},
      // A lead byte right before the end: the scan ends there.
      {"key\\x\x95", "key", "x\x95"},
  };
  for (const Case& c : cases) {
    ItemPath p = SplitItemPath(c.item);
    EXPECT_EQ(p.key, c.key) << "item " << c.item;
    EXPECT_EQ(p.valueName, c.value) << "item " << c.item;
  }
}

TEST(SplitItemPath, StopsAtEmbeddedNul) {
  ItemPath p = SplitItemPath(std::string("a\\b\0c\\d", 7));
  EXPECT_EQ(p.key, "a");
  EXPECT_EQ(p.valueName, "b");
}

}  // namespace
