// Byte-string helpers for texts in the ANSI code page 936 (GBK).
//
// A byte of 0x80 or above starts a double-byte character; its second byte may
// be any value, including '\\' (0x5C) and '|' (0x7C), so every scan that looks
// for ASCII separators must step over such pairs.
#pragma once

#include <cstddef>
#include <string_view>

namespace text {

inline bool IsLeadByte(unsigned char b) { return b >= 0x80; }

// Length in bytes of the character starting at s[i]: 2 for a complete
// double-byte character, else 1 (a lead byte at the very end counts alone).
inline size_t CharLength(std::string_view s, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// True when a and b are equal, ASCII letters compared without regard to case.
// Double-byte characters are compared byte for byte, never folded.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace text
