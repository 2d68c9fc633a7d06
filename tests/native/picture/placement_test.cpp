// Fit placement in the preview's 54 x 46 client area and elsewhere.
#include <gtest/gtest.h>

#include "picture/placement.h"

namespace {

TEST(FitPlacement, Table) {
  struct Case {
    int w, h, area_width, area_height;
    int x, y, width, height;
  } cases[] = {
      // Larger pictures shrink with their proportions kept, centred.
      {100, 100, 54, 46, 4, 0, 46, 46},
      {100, 20, 54, 46, 0, 18, 54, 10},
      {640, 480, 54, 46, 0, 3, 54, 40},
      {48, 48, 54, 46, 4, 0, 46, 46},
      {20, 100, 54, 46, 22, 0, 9, 46},
      {1000, 1, 54, 46, 0, 22, 54, 0},
      // Pictures that fit keep their size, centred (integer halves).
      {16, 16, 54, 46, 19, 15, 16, 16},
      {32, 32, 54, 46, 11, 7, 32, 32},
      {54, 46, 54, 46, 0, 0, 54, 46},
      {1, 1, 54, 46, 26, 22, 1, 1},
      {53, 45, 54, 46, 0, 0, 53, 45},
      // Wider than the area only: the height already fits.
      {55, 10, 54, 46, 0, 18, 54, 9},
      // Taller only.
      {10, 47, 54, 46, 22, 0, 9, 46},
      // Nothing to draw: no division by zero.
      {0, 0, 54, 46, 0, 0, 0, 0},
      {0, 10, 54, 46, 0, 0, 0, 0},
      {10, 0, 54, 46, 0, 0, 0, 0},
      {-5, 10, 54, 46, 0, 0, 0, 0},
      // An empty area shrinks everything to nothing.
      {10, 10, 0, 0, 0, 0, 0, 0},
      // Large sides stay within int arithmetic.
      {2147483647, 2147483647, 54, 46, 4, 0, 46, 46},
  };
  for (const auto& c : cases) {
    const picture::Placement p = picture::FitPlacement(c.w, c.h, c.area_width, c.area_height);
    EXPECT_EQ(p.x, c.x) << c.w << "x" << c.h << " in " << c.area_width << "x" << c.area_height;
    EXPECT_EQ(p.y, c.y) << c.w << "x" << c.h << " in " << c.area_width << "x" << c.area_height;
    EXPECT_EQ(p.width, c.width) << c.w << "x" << c.h << " in " << c.area_width << "x" << c.area_height;
    EXPECT_EQ(p.height, c.height) << c.w << "x" << c.h << " in " << c.area_width << "x" << c.area_height;
  }
}

}  // namespace
