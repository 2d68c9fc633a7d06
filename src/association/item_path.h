// Cutting a full-path registry item text ("key\\path\\value") into its key
// path and value name.
#pragma once

#include <string>
#include <string_view>

struct ItemPath {
  std::string key;        // relative to the root; empty: the root key itself
  std::string valueName;  // empty: the key's default value
};

// Splits at the last backslash that is not the second byte of a double-byte
// character. No backslash: empty key, the whole text is the value name.
// A text ending in a backslash names the key's default value.
ItemPath SplitItemPath(std::string_view item);
