#include "association/item_path.h"

#include "text/ansi_text.h"

ItemPath SplitItemPath(std::string_view item) {
  // Stop at an embedded NUL: the item is a C string for the registry calls.
  item = item.substr(0, item.find('\0'));
  size_t lastSeparator = std::string_view::npos;
  for (size_t i = 0; i < item.size(); i += text::CharLength(item, i)) {
    if (item[i] == '\\') lastSeparator = i;
  }
  if (lastSeparator == std::string_view::npos) return {std::string(), std::string(item)};
  return {std::string(item.substr(0, lastSeparator)), std::string(item.substr(lastSeparator + 1))};
}
