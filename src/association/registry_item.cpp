#include "association/registry_item.h"

#include <vector>

#include "association/item_path.h"
#include "association/registry_key.h"

HKEY RootKeyOf(RegistryRoot root) {
  switch (root) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_CONFIG;
    case 3: return HKEY_CURRENT_USER;
    case 4: return HKEY_LOCAL_MACHINE;
    case 5: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
  }
}

bool WriteRegistryItem(RegistryRoot root, const std::string& item, const std::string& value) {
  HKEY rootKey = RootKeyOf(root);
  ItemPath path = SplitItemPath(item);
  RegistryKey key;
  if (key.Open(rootKey, path.key.c_str(), KEY_WRITE) != ERROR_SUCCESS &&
      key.Create(rootKey, path.key.c_str()) != ERROR_SUCCESS) {
    return false;
  }
  // The size counts the NUL, so the empty text stores one NUL byte.
  LONG stored = RegSetValueExA(key.get(), path.valueName.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
  return stored == ERROR_SUCCESS;
}

bool DeleteRegistryItem(RegistryRoot root, const std::string& item) {
  HKEY rootKey = RootKeyOf(root);
  ItemPath path = SplitItemPath(item);
  bool deleted = false;
  {
    RegistryKey key;
    if (key.Open(rootKey, path.key.c_str(), KEY_WRITE) == ERROR_SUCCESS) {
      deleted = RegDeleteValueA(key.get(), path.valueName.c_str()) == ERROR_SUCCESS;
    }
  }
  if (!deleted) deleted = RegDeleteKeyA(rootKey, item.c_str()) == ERROR_SUCCESS;
  return deleted;
}

bool ReadRegistryItem(RegistryRoot root, const std::string& item, std::string* value) {
  ItemPath path = SplitItemPath(item);
  RegistryKey key;
  if (key.Open(RootKeyOf(root), path.key.c_str(), KEY_QUERY_VALUE) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), path.valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  std::vector<char> data(size + 1, '\0');  // room for a NUL the value may lack
  if (RegQueryValueExA(key.get(), path.valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  value->assign(data.data());  // up to the first NUL
  return true;
}
