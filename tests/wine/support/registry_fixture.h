// Reading the real registry back, and a fixture that gives each test fresh
// extensions and removes whatever they left under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RegistryValue {
  bool keyExists = false;
  bool valueExists = false;
  DWORD type = 0;
  std::vector<unsigned char> bytes;  // raw data, NUL included
  std::string AsText() const { return bytes.empty() ? std::string() : std::string(bytes.begin(), bytes.end() - (bytes.back() == 0 ? 1 : 0)); }
};

RegistryValue ReadValue(HKEY root, const std::string& key, const std::string& name = "");
bool KeyExists(HKEY root, const std::string& key);
void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& value);
void DeleteTree(HKEY root, const std::string& key);

// Output of a console command run in this prefix (e.g. Wine's reg.exe).
std::string CommandOutput(const std::string& command);

class RegistryTest : public ::testing::Test {
 protected:
  // A fresh extension (letters only) that this test may write; its keys
  // ("." ext and ext "file") are removed after the test.
  std::string FreshExtension();
  // Any other key under HKEY_CLASSES_ROOT or HKEY_CURRENT_USER to remove.
  void Cleanup(HKEY root, const std::string& key) { cleanup_.push_back({root, key}); }

  void TearDown() override;

 private:
  struct Key { HKEY root; std::string path; };
  std::vector<Key> cleanup_;
};
