// The file-type list of the open-file dialog, built from the component's
// Filter text ("description|pattern|description|pattern").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// The list in the form lpstrFilter takes: trailing white space removed, every
// "|" turned into a NUL, and ended by two NULs (a filter that did not end in
// "||" gets them appended). The scan steps over double-byte characters, so a
// second byte of 0x7C is kept as it is; a lead byte at the very end stands
// alone and never swallows the appended separators. An empty or all-blank
// filter gives the empty string, meaning "no list" (lpstrFilter NULL).
std::string BuildDialogFilter(std::string_view filter);

// nFilterIndex for a list built by BuildDialogFilter: 0 without a list,
// otherwise the zero-based initialIndex made one-based, a negative index
// selecting the first entry.
std::uint32_t DialogFilterIndex(std::string_view builtFilter, int initialIndex);

}  // namespace text
