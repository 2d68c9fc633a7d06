// Reading a chain of GIF data sub-blocks (a length byte, then that many bytes,
// until a zero length) as one byte stream, never past the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gif {

struct SubBlockReader {
  const uint8_t* data;
  size_t size;
  size_t position;    // next byte to read in data
  size_t block_left;  // bytes left in the current sub-block
  bool terminated;    // the zero-length block was read; position is after it
  bool truncated;     // the data ended before the zero-length block
};

// position: the first length byte.
SubBlockReader StartSubBlocks(const uint8_t* data, size_t size, size_t position);

// Next byte of the stream; false at the zero-length block or the end of data
// (then terminated or truncated says which).
inline bool NextSubBlockByte(SubBlockReader& r, uint8_t* byte) {
  while (r.block_left == 0) {
    if (r.terminated || r.truncated) return false;
    if (r.position >= r.size) {
      r.truncated = true;
      return false;
    }
    r.block_left = r.data[r.position++];
    if (r.block_left == 0) {
      r.terminated = true;
      return false;
    }
  }
  if (r.position >= r.size) {
    r.truncated = true;
    r.block_left = 0;
    return false;
  }
  *byte = r.data[r.position++];
  --r.block_left;
  return true;
}

// Skips what is left of the chain, through the zero-length block.
void SkipSubBlocks(SubBlockReader& r);

}  // namespace gif
