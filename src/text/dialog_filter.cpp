#include "text/dialog_filter.h"

#include "text/ansi_text.h"

namespace text {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// End of the text without its trailing white space. Scanned forwards so that
// the second byte of a double-byte character is never taken for a blank.
size_t EndWithoutTrailingBlanks(std::string_view s) {
  size_t end = 0;
  for (size_t i = 0; i < s.size();) {
    size_t n = CharLength(s, i);
    if (n == 2 || !IsBlank(s[i])) end = i + n;
    i += n;
  }
  return end;
}

}  // namespace

std::string BuildDialogFilter(std::string_view filter) {
  std::string_view trimmed = filter.substr(0, EndWithoutTrailingBlanks(filter));
  std::string out;
  out.reserve(trimmed.size() + 2);
  // How many of the last characters were separators: "||" at the end means
  // the list is already terminated.
  int trailingSeparators = 0;
  for (size_t i = 0; i < trimmed.size();) {
    size_t n = CharLength(trimmed, i);
    if (n == 1 && trimmed[i] == '|') {
      out += '\0';
      ++trailingSeparators;
    } else {
      out.append(trimmed.substr(i, n));
      trailingSeparators = 0;
    }
    i += n;
  }
  if (!out.empty() && trailingSeparators < 2) out.append(2, '\0');
  return out;
}

std::uint32_t DialogFilterIndex(std::string_view builtFilter, int initialIndex) {
  if (builtFilter.empty()) return 0;
  if (initialIndex < 0) return 1;
  return static_cast<std::uint32_t>(initialIndex) + 1;
}

}  // namespace text
