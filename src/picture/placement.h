// Where a picture is drawn inside the preview's client area: centred at its
// natural size when it fits, otherwise shrunk with its proportions kept.
// Never enlarged, never clipped.
#pragma once

namespace picture {

struct Placement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Picture of w x h pixels in a client area of area_width x area_height.
// A picture side that is not above 0 gives an empty placement (all zero);
// a negative area side counts as 0.
Placement FitPlacement(int w, int h, int area_width, int area_height);

}  // namespace picture
