#include "gif_fixtures.h"

namespace gif_test {

namespace {
uint8_t Lo(int v) { return static_cast<uint8_t>(v & 0xFF); }
uint8_t Hi(int v) { return static_cast<uint8_t>((v >> 8) & 0xFF); }
}  // namespace

Bytes Header(int width, int height) {
  return {
      'G', 'I', 'F', '8', '9', 'a',  // signature
      Lo(width), Hi(width),          // logical screen width
      Lo(height), Hi(height),        // logical screen height
      0x80,                          // global table, 2 entries
      0,                             // background colour index
      0,                             // pixel aspect ratio
      0, 0, 0,                       // colour 0: black
      255, 255, 255,                 // colour 1: white
  };
}

Bytes HeaderWithoutTable(int width, int height) {
  return {
      'G', 'I', 'F', '8', '9', 'a',  // signature
      Lo(width), Hi(width),          // logical screen width
      Lo(height), Hi(height),        // logical screen height
      0x00,                          // no global table
      0,                             // background colour index
      0,                             // pixel aspect ratio
  };
}

Bytes GraphicControl(int disposal, bool transparent, int delay, int transparent_index) {
  return {
      0x21,                                                        // extension
      0xF9,                                                        // graphic control label
      4,                                                           // block size
      static_cast<uint8_t>((disposal << 2) | (transparent ? 1 : 0)),  // packed: disposal, transparency
      Lo(delay), Hi(delay),                                        // delay, hundredths
      static_cast<uint8_t>(transparent_index),                     // transparent index
      0,                                                           // end of sub-blocks
  };
}

Bytes Descriptor(int left, int top, int width, int height, uint8_t flags) {
  return {
      0x2C,                   // image descriptor
      Lo(left), Hi(left),     // left
      Lo(top), Hi(top),       // top
      Lo(width), Hi(width),   // width
      Lo(height), Hi(height), // height
      flags,                  // local table, interlace
  };
}

Bytes RootsOnly(int min_code_size, const std::vector<uint8_t>& pixels) {
  const int clear = 1 << min_code_size;
  const int width = min_code_size + 1;
  std::vector<Code> codes;
  for (uint8_t p : pixels) {
    codes.push_back({clear, width});
    codes.push_back({p, width});
  }
  codes.push_back({clear + 1, width});  // end
  return Cat({{static_cast<uint8_t>(min_code_size)}, SubBlocks(PackCodes(codes))});
}

Bytes CheckerImage() {
  return Cat({Descriptor(0, 0, 2, 2, 0),
              {2},  // minimum code size
              // clear, 0, 1 (defines 6), 1 (defines 7, widens), 0, end
              SubBlocks(PackCodes({{4, 3}, {0, 3}, {1, 3}, {1, 3}, {0, 4}, {5, 4}}))});
}

}  // namespace gif_test
