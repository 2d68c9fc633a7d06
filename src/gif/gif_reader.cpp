#include "gif/gif_reader.h"

#include "gif/image_decoder.h"
#include "gif/sub_blocks.h"

namespace gif {

namespace {
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9;

// A graphic control extension takes its values from the first four bytes of
// its first sub-block; a first sub-block shorter than that sets nothing, and
// so does an extension cut short by the end of the data. Returns false in
// that last case.
bool ReadExtension(GifReader& r, size_t label_at) {
  const std::vector<uint8_t>& data = r.data;
  const size_t blocks_at = label_at + 1;
  if (blocks_at > data.size()) return false;
  SubBlockReader blocks = StartSubBlocks(data.data(), data.size(), blocks_at);
  SkipSubBlocks(blocks);
  if (blocks.truncated) return false;
  // Not truncated: the first length byte and its sub-block are present.
  if (data[label_at] == kGraphicControl && data[blocks_at] >= 4) {
    const uint8_t* g = data.data() + blocks_at + 1;
    r.control.disposal = (g[0] >> 2) & 7;
    r.control.transparent = (g[0] & 1) != 0;
    r.control.delay = g[1] | (g[2] << 8);
    r.control.transparent_index = g[3];
  }
  r.position = blocks.position;
  return true;
}
}  // namespace

bool OpenGif(const uint8_t* bytes, size_t size, GifReader* reader) {
  GifHeader header;
  if (!ReadGifHeader(bytes, size, &header)) return false;
  reader->header = header;
  reader->data.assign(bytes + header.data_offset, bytes + size);
  reader->position = 0;
  reader->control = GraphicControl{};
  return true;
}

bool ReadNextImage(GifReader& r, GifImage* image) {
  int wraps = 0;
  for (;;) {
    const size_t size = r.data.size();
    if (r.position >= size) break;
    const uint8_t block = r.data[r.position];
    if (block == kExtension) {
      if (!ReadExtension(r, r.position + 1)) break;
    } else if (block == kImage) {
      switch (DecodeImage(r.data.data(), size, &r.position, r.header.global_colors, r.control, image)) {
        case ImageEnd::kNoImage:
          r.position = 0;
          return false;
        case ImageEnd::kComplete:
        case ImageEnd::kDataEnded:
          return true;
      }
    } else if (block == kTrailer || block == 0) {
      r.position = 0;
      if (++wraps == 2) return false;
    } else {
      break;  // not a block we know: the same as running past the end
    }
  }
  r.position = 0;
  return false;
}

FirstImage ReadFirstImage(GifReader& reader, GifImage* image) {
  FirstImage first;
  first.has_image = ReadNextImage(reader, image);
  first.single = reader.data.size() - reader.position <= 1;
  if (!first.single) reader.position = 0;
  return first;
}

}  // namespace gif
