#include "support/registry_fixture.h"

#include <cstdio>

RegistryValue ReadValue(HKEY root, const std::string& key, const std::string& name) {
  RegistryValue v;
  HKEY k = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return v;
  v.keyExists = true;
  DWORD size = 0;
  if (RegQueryValueExA(k, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.valueExists = true;
    v.bytes.resize(size);
    if (size) RegQueryValueExA(k, name.c_str(), nullptr, &v.type, v.bytes.data(), &size);
    v.bytes.resize(size);
  }
  RegCloseKey(k);
  return v;
}

bool KeyExists(HKEY root, const std::string& key) { return ReadValue(root, key, "").keyExists; }

void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS) << key;
  RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
  RegCloseKey(k);
}

void DeleteTree(HKEY root, const std::string& key) {
  if (!key.empty()) RegDeleteTreeA(root, key.c_str()), RegDeleteKeyA(root, key.c_str());
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = _popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  _pclose(pipe);
  return out;
}

std::string RegistryTest::FreshExtension() {
  static unsigned counter = GetTickCount() % 100000;
  std::string ext = "tnv" + std::to_string(GetCurrentProcessId() % 1000) + "x" + std::to_string(counter++);
  Cleanup(HKEY_CLASSES_ROOT, "." + ext);
  Cleanup(HKEY_CLASSES_ROOT, ext + "file");
  return ext;
}

void RegistryTest::TearDown() {
  for (const Key& k : cleanup_) DeleteTree(k.root, k.path);
}
