#include "picture/placement.h"

namespace picture {

Placement FitPlacement(int w, int h, int area_width, int area_height) {
  if (w <= 0 || h <= 0) return Placement{};
  if (area_width < 0) area_width = 0;
  if (area_height < 0) area_height = 0;

  Placement p;
  int dw = area_width, dh = area_height;
  if (w <= area_width) {
    dw = w;
    p.x = (area_width - w) / 2;
  }
  if (h <= area_height) {
    dh = h;
    p.y = (area_height - h) / 2;
  }
  if (w > dw || h > dh) {
    // One ratio for both sides keeps the proportions; truncating the sizes
    // keeps the shrunk picture inside its room.
    const double rw = static_cast<double>(dw) / w;
    const double rh = static_cast<double>(dh) / h;
    const double r = rw < rh ? rw : rh;
    const int nw = static_cast<int>(w * r);
    const int nh = static_cast<int>(h * r);
    p.x += (dw - nw) / 2;
    p.y += (dh - nh) / 2;
    p.width = nw;
    p.height = nh;
  } else {
    p.width = w;
    p.height = h;
  }
  return p;
}

}  // namespace picture
