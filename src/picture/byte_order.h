// Reading fixed-size fields from picture data. The caller has already checked
// that the field lies inside the data.
#pragma once

#include <cstdint>

namespace picture {

inline uint16_t ReadU16Le(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t ReadI16Le(const uint8_t* p) {
  return static_cast<int16_t>(ReadU16Le(p));
}

inline uint32_t ReadU32Le(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t ReadI32Le(const uint8_t* p) {
  return static_cast<int32_t>(ReadU32Le(p));
}

inline uint32_t ReadU32Be(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

}  // namespace picture
