// Helpers for writing GIF fixtures by hand and for running ImageMagick.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "gif/gif_compositor.h"

namespace gif_test {

using Bytes = std::vector<uint8_t>;

// One LZW code and the width it is written with.
struct Code {
  int value;
  int width;
};

// Packs codes least significant bit first, as GIF does.
Bytes PackCodes(std::initializer_list<Code> codes);
Bytes PackCodes(const std::vector<Code>& codes);

// Wraps bytes into data sub-blocks of at most 255 bytes plus the zero-length
// block that ends them.
Bytes SubBlocks(const Bytes& bytes);

Bytes Cat(std::initializer_list<Bytes> parts);

// A canvas that owns its pixels.
struct Canvas {
  int width = 0, height = 0;
  std::vector<uint8_t> bits;
  gif::CanvasView View() { return gif::CanvasView{bits.data(), width, height}; }
};
Canvas WhiteCanvas(int width, int height);

// "RRGGBB" of the canvas pixel at x, y.
std::string PixelHex(const Canvas& canvas, int x, int y);

// Runs a shell command; true when it exits with 0.
bool RunShell(const std::string& command);
bool HaveConvert();
// The scratch folder given by the test environment (made if missing).
std::string WorkDir();
bool ReadFile(const std::string& path, Bytes* out);
bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace gif_test
