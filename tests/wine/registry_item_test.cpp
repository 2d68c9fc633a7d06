// Writing and deleting single items on the real (Wine) registry, read back
// with the registry API.
#include <windows.h>

#include <gtest/gtest.h>

#include "association/registry_item.h"
#include "support/registry_fixture.h"

namespace {

class RegistryItemTest : public RegistryTest {};

TEST_F(RegistryItemTest, WriteCreatesKeyAndStoresTextWithItsNul) {
  std::string ext = FreshExtension();
  ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "." + ext));
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, "." + ext + "\\", ext + "file"));
  RegistryValue v = ReadValue(HKEY_CLASSES_ROOT, "." + ext);
  ASSERT_TRUE(v.valueExists);
  EXPECT_EQ(v.type, DWORD(REG_SZ));
  EXPECT_EQ(v.bytes.size(), ext.size() + 5) << "text, \"file\" and the NUL";
  EXPECT_EQ(v.AsText(), ext + "file");
}

TEST_F(RegistryItemTest, WriteCreatesMissingParentKeys) {
  std::string ext = FreshExtension();
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, ext + "file\\shell\\open\\command\\", "x.exe"));
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ext + "file\\shell\\open\\command").AsText(), "x.exe");
}

TEST_F(RegistryItemTest, EmptyTextStoresOneNulByte) {
  std::string ext = FreshExtension();
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, ext + "file\\DefaultIcon\\", ""));
  RegistryValue v = ReadValue(HKEY_CLASSES_ROOT, ext + "file\\DefaultIcon");
  ASSERT_TRUE(v.valueExists);
  EXPECT_EQ(v.type, DWORD(REG_SZ));
  EXPECT_EQ(v.bytes, std::vector<unsigned char>{0});
}

TEST_F(RegistryItemTest, WriteOverwritesAnExistingValueAndKeepsSiblings) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, "." + ext, "", "old");
  SetText(HKEY_CLASSES_ROOT, "." + ext, "Content Type", "text/plain");
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, "." + ext + "\\", "new"));
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "." + ext).AsText(), "new");
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "." + ext, "Content Type").AsText(), "text/plain");
}

TEST_F(RegistryItemTest, NamedValueUnderAKey) {
  std::string ext = FreshExtension();
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, "." + ext + "\\PerceivedType", "text"));
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "." + ext, "PerceivedType").AsText(), "text");
  EXPECT_FALSE(ReadValue(HKEY_CLASSES_ROOT, "." + ext).valueExists);
}

TEST_F(RegistryItemTest, RootNumbersOutsideTheTableUseCurrentUser) {
  const std::string key = "Software\\TarnovaTest" + std::to_string(GetCurrentProcessId());
  Cleanup(HKEY_CURRENT_USER, key);
  struct Case { RegistryRoot root; const char* name; } cases[] = {{0, "zero"}, {6, "six"}, {-1, "minus"}, {3, "three"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(WriteRegistryItem(c.root, key + "\\" + c.name, c.name)) << c.root;
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, key, c.name).AsText(), c.name) << c.root;
  }
  EXPECT_EQ(RootKeyOf(1), HKEY_CLASSES_ROOT);
  EXPECT_EQ(RootKeyOf(2), HKEY_CURRENT_CONFIG);
  EXPECT_EQ(RootKeyOf(4), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RootKeyOf(5), HKEY_USERS);
}

TEST_F(RegistryItemTest, WriteThatTheRegistryRefusesGivesFalse) {
  // A key name longer than the registry's 255-character limit cannot be
  // opened or created.
  std::string longName(300, 'q');
  Cleanup(HKEY_CLASSES_ROOT, "." + longName);
  EXPECT_FALSE(WriteRegistryItem(kClassesRoot, "." + longName + "\\", "x"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "." + longName));
}

TEST_F(RegistryItemTest, DeleteExistingDefaultValueKeepsTheKey) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, "." + ext, "", ext + "file");
  EXPECT_TRUE(DeleteRegistryItem(kClassesRoot, "." + ext + "\\"));
  RegistryValue v = ReadValue(HKEY_CLASSES_ROOT, "." + ext);
  EXPECT_TRUE(v.keyExists);
  EXPECT_FALSE(v.valueExists);
}

TEST_F(RegistryItemTest, DeleteKeyWithoutDefaultValueDeletesTheKey) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, "." + ext, "Other", "kept until the key goes");
  EXPECT_TRUE(DeleteRegistryItem(kClassesRoot, "." + ext + "\\"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "." + ext));
}

TEST_F(RegistryItemTest, DeleteKeyWithSubkeyIsTheRegistrysCall) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, ext + "file\\shell\\open\\command", "", "x");
  // shell has no default value and a subkey: the registry keeps it.
  EXPECT_FALSE(DeleteRegistryItem(kClassesRoot, ext + "file\\shell\\"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ext + "file\\shell\\open\\command"));
}

TEST_F(RegistryItemTest, DeleteMissingKeyGivesFalse) {
  std::string ext = FreshExtension();
  EXPECT_FALSE(DeleteRegistryItem(kClassesRoot, "." + ext + "\\"));
  EXPECT_FALSE(DeleteRegistryItem(kClassesRoot, ext + "file\\shell\\open\\command\\"));
}

TEST_F(RegistryItemTest, DoubleByteNamesRoundTrip) {
  // 文件 in GBK; 0x95 0x5C is a character whose second byte is a backslash.
  std::string ext = FreshExtension();
  std::string key = "." + ext + "\xCE\xC4\xBC\xFE\x95\x5C";
  Cleanup(HKEY_CLASSES_ROOT, key);
  EXPECT_TRUE(WriteRegistryItem(kClassesRoot, key + "\\", "\xCE\xC4"));
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, key).AsText(), "\xCE\xC4");
  std::string read;
  EXPECT_TRUE(ReadRegistryItem(kClassesRoot, key + "\\", &read));
  EXPECT_EQ(read, "\xCE\xC4");
}

TEST_F(RegistryItemTest, ReadMissingOrNonTextGivesFalse) {
  std::string ext = FreshExtension();
  std::string read = "untouched";
  EXPECT_FALSE(ReadRegistryItem(kClassesRoot, "." + ext + "\\", &read));
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, ("." + ext).c_str(), &k), ERROR_SUCCESS);
  DWORD number = 7;
  RegSetValueExA(k, "", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
  RegCloseKey(k);
  EXPECT_FALSE(ReadRegistryItem(kClassesRoot, "." + ext + "\\", &read));
  EXPECT_EQ(read, "untouched");
}

}  // namespace
