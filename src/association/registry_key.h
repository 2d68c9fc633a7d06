// An open registry key, closed when the owner goes out of scope.
#pragma once

#include <windows.h>

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Each returns the raw result of its call; on failure the object stays closed.
  LONG Open(HKEY parent, const char* path, REGSAM access) {
    return Adopt(RegOpenKeyExA(parent, path, 0, access, &pending_));
  }
  LONG Create(HKEY parent, const char* path) { return Adopt(RegCreateKeyA(parent, path, &pending_)); }

  HKEY get() const { return key_; }

 private:
  LONG Adopt(LONG result) {
    if (result == ERROR_SUCCESS) {
      if (key_) RegCloseKey(key_);
      key_ = pending_;
    }
    pending_ = nullptr;
    return result;
  }

  HKEY key_ = nullptr;
  HKEY pending_ = nullptr;
};
