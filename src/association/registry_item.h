// Single registry items addressed by a root number and one item text that
// names a key and a value together ("key\\path\\value"; a trailing backslash
// names the key's default value). Every key opened is closed before return.
#pragma once

#include <windows.h>

#include <string>

// 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS; any other number HKEY_CURRENT_USER.
using RegistryRoot = int;
inline constexpr RegistryRoot kClassesRoot = 1;

HKEY RootKeyOf(RegistryRoot root);

// Stores value as REG_SZ (its bytes and the NUL). Opens the key, or creates
// it with its missing parents. True when the value was stored.
bool WriteRegistryItem(RegistryRoot root, const std::string& item, const std::string& value);

// Deletes the value when it exists (the key stays). Only when no value was
// deleted, makes one RegDeleteKeyA with the item text unchanged; whether a
// key with subkeys goes is the registry's rule. True when something went.
bool DeleteRegistryItem(RegistryRoot root, const std::string& item);

// Reads a REG_SZ or REG_EXPAND_SZ value. False, *value untouched, when the
// key or value is missing, has another type, or cannot be read.
bool ReadRegistryItem(RegistryRoot root, const std::string& item, std::string* value);
