#include "gif/sub_blocks.h"

namespace gif {

SubBlockReader StartSubBlocks(const uint8_t* data, size_t size, size_t position) {
  return SubBlockReader{data, size, position, 0, false, false};
}

void SkipSubBlocks(SubBlockReader& r) {
  while (!r.terminated && !r.truncated) {
    if (r.block_left > 0) {
      if (r.position > r.size || r.block_left > r.size - r.position) {
        r.position = r.size;
        r.block_left = 0;
        r.truncated = true;
        return;
      }
      r.position += r.block_left;
      r.block_left = 0;
    }
    if (r.position >= r.size) {
      r.truncated = true;
      return;
    }
    r.block_left = r.data[r.position++];
    if (r.block_left == 0) r.terminated = true;
  }
}

}  // namespace gif
