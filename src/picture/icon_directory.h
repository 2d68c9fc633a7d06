// Picks the image of an icon or cursor file that the preview shows. Turning
// the image into an icon is the caller's job (CreateIconFromResourceEx).
#pragma once

#include <cstddef>
#include <cstdint>

namespace picture {

struct IconImage {
  const uint8_t* bytes = nullptr;  // inside the caller's data, not owned
  size_t offset = 0;               // bytes == data + offset
  size_t size = 0;                 // dwBytesInRes
  int width = 0;                   // biWidth, or the PNG width
  int height = 0;                  // biHeight / 2 (truncating), or the PNG height
  int bit_count = 0;               // 16-bit word at image offset 14; 0 for PNG
  bool is_png = false;
};

// Reads the directory of an icon (type 1) or cursor (type 2) file: reserved
// word 0, type, entry count above 0, then 16-byte entries from offset 6.
// Only the entries that lie wholly inside the data count. The first entry
// whose width byte is 32 and whose colour-count byte is 16 or more is taken,
// else the last entry.
//
// Returns true and fills out when the taken entry's image lies wholly inside
// the data and its size can be read: a BITMAPINFOHEADER (at least 40 bytes)
// or a PNG image (signature and IHDR chunk). Width and height must come out
// above 0, each at most 65535 and together at most kMaxPicturePixels.
// Otherwise returns false and leaves out as it was; no other entry is tried.
bool ChooseIconImage(const uint8_t* data, size_t size, IconImage* out);

}  // namespace picture
