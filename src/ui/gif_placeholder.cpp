// Stand-ins for the GIF player until it arrives: a GIF shows no picture.
// The player's own source takes this file's place in src/ui/CMakeLists.txt.
#include "ui/picture_box_state.h"

bool LoadGif(PictureBox&) { return false; }

void PaintGif(PictureBox&, HDC) {}

void DiscardGif(PictureBox& box) { box.gif = nullptr; }
