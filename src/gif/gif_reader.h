// The reading state of a GIF held in memory: the blocks after the header are
// parsed one image at a time, and the images repeat without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gif/gif_header.h"
#include "gif/gif_types.h"

namespace gif {

struct GifReader {
  GifHeader header;
  std::vector<uint8_t> data;  // the bytes after the header and global table
  size_t position = 0;        // next block to read in data
  GraphicControl control;     // from the last graphic control extension read
};

// Checks the header (see ReadGifHeader) and keeps a copy of the blocks, with
// the position at their start and every graphic control value 0. False, and
// *reader left unchanged, when the header is not accepted.
bool OpenGif(const uint8_t* bytes, size_t size, GifReader* reader);

// Parses from the position to the next image and decodes it into *image.
// Returns true when an image came (possibly partial: see GifImage::decoded);
// the position is then after it, or at the end of the data when the data
// ended inside it, so that the next call wraps.
//
// Blocks: 21 hex starts an extension; a graphic control extension (label F9)
// sets the control values, every other label (01, FE, FF or any other) is
// skipped with its sub-blocks. 2C hex is an image. 3B hex (trailer) and 00 hex
// send the position back to the start and parsing goes on, so the images
// repeat; a loop count has no effect.
//
// Returns false, with the position back at the start, when:
// - parsing runs past the end of the data (including an extension or image
//   descriptor cut short);
// - a block starts with any other byte: the images after it are never shown;
// - parsing comes back to the start a second time in this call: the data has
//   no image reachable from its start, and one call must not loop forever.
bool ReadNextImage(GifReader& reader, GifImage* image);

struct FirstImage {
  bool single;     // at most one byte (the trailer) follows the first image
  bool has_image;  // *image holds the first image
};

// Reads the first image at once. For a single-image GIF the image is the
// picture (it may be partial or absent); for an animated one the position goes
// back to the start and the image is only a preview of what composition will
// draw first. The graphic control values stay as the first image left them.
FirstImage ReadFirstImage(GifReader& reader, GifImage* image);

}  // namespace gif
