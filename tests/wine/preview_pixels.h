// Reading the preview box back as pixels: rendered through WM_PRINTCLIENT
// into a DIB section the test owns, or copied from the painted window. And
// the committed fixture pictures with ImageMagick's reading of them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::string Describe(Rgb c);
// How gtest prints a colour.
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << Describe(c); }

// The client area of a box as RGB pixels, rows top-down.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The box's paint handler drawing into a 32-bit DIB section of ours, which
// starts out in a colour the box never paints.
Canvas RenderBox(HWND box);
// What the box painted on the screen: its pending paint is done
// (UpdateWindow) and its client area copied from its window DC.
Canvas GrabPaintedBox(HWND box);

// The box background: the button face colour.
Rgb Background();

// Windows path of a file in tests/wine/fixtures.
std::string FixturePath(const std::string& name);
// A file's bytes; empty when it cannot be read.
Bytes ReadBytes(const std::string& path);
Bytes Fixture(const std::string& name);

// Empty when canvas shows the reference picture (an .rgba fixture of
// width x height, ImageMagick's reading) at natural size at (x, y), its
// alpha laid over the background, and the background everywhere else.
// Otherwise names the first pixel that differs and how many do.
std::string CompareWithReference(const Canvas& canvas, const std::string& reference, int width, int height, int x,
                                 int y, int tolerance);

// Empty when every pixel inside the rectangle satisfies inside and every
// other pixel is the background; otherwise names the first that is not.
std::string CompareFilledRect(const Canvas& canvas, const RECT& rect, const std::function<bool(Rgb)>& inside,
                              const char* insideName);

std::string CompareBackgroundOnly(const Canvas& canvas);

// Each channel within tolerance.
bool Near(Rgb a, Rgb b, int tolerance);

// A real main window, in front, and its preview box.
class PreviewBoxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Show(const Bytes& bytes);
  void ShowFile(const std::string& name);

  HWND window_ = nullptr;
  HWND box_ = nullptr;
};
