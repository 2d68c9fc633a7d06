#include "picture/jpeg.h"

#include <climits>
#include <csetjmp>
// jpeglib.h expects size_t and FILE to be declared before it.
#include <cstdio>

#include <jpeglib.h>

namespace picture {

namespace {

constexpr JDIMENSION kMaxSide = 65500;
// A damaged progressive file can hold thousands of tiny scans, each of which
// makes libjpeg walk the whole picture; real files have a dozen or so.
constexpr int kMaxScans = 1000;

// libjpeg hands the error manager back to error_exit; the jump target sits
// right behind it.
struct ErrorTrap {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

// All state of one decoding, plain C data only: longjmp skips destructors,
// so nothing between a setjmp and libjpeg's calls may need one.
struct JpegJob {
  jpeg_decompress_struct info;
  ErrorTrap trap;
  jpeg_progress_mgr progress;
};

[[noreturn]] void JumpToTrap(j_common_ptr info) {
  longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

void LimitScans(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    JumpToTrap(info);
  }
}

// Owns a JpegJob; the decompressor (if created) is destroyed on every path.
class JpegDecoder {
 public:
  JpegDecoder() : job_() {
    job_.info.err = jpeg_std_error(&job_.trap.manager);
    job_.trap.manager.error_exit = JumpToTrap;
    job_.trap.manager.emit_message = IgnoreMessage;
    job_.progress.progress_monitor = LimitScans;
  }
  ~JpegDecoder() {
    // Safe on a zeroed or half-created decompressor: it only frees what the
    // memory manager holds.
    jpeg_destroy_decompress(&job_.info);
  }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  JpegJob* job() { return &job_; }

 private:
  JpegJob job_;
};

bool IsCmyk(const jpeg_decompress_struct& info) {
  return info.out_color_space == JCS_CMYK && info.output_components == 4;
}

// Creates the decompressor and reads the header up to the output size.
bool ReadHeader(JpegJob* job, const uint8_t* data, size_t size) {
  jpeg_decompress_struct* info = &job->info;
  if (setjmp(job->trap.jump)) return false;
  jpeg_create_decompress(info);
  info->progress = &job->progress;
  jpeg_mem_src(info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  jpeg_calc_output_dimensions(info);
  return true;
}

uint8_t Ink(unsigned a, unsigned b) {
  return static_cast<uint8_t>((a * b + 127) / 255);
}

// One scan line into blue, green, red.
void ConvertLine(const jpeg_decompress_struct& info, const JSAMPLE* src, uint8_t* dst) {
  const JDIMENSION width = info.output_width;
  if (info.output_components == 3) {
    for (JDIMENSION x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  } else if (info.output_components == 1) {
    for (JDIMENSION x = 0; x < width; ++x, ++src, dst += 3) dst[0] = dst[1] = dst[2] = src[0];
  } else {
    const bool inverted = info.saw_Adobe_marker;
    for (JDIMENSION x = 0; x < width; ++x, src += 4, dst += 3) {
      unsigned c = src[0], m = src[1], y = src[2], k = src[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      dst[0] = Ink(y, k);
      dst[1] = Ink(m, k);
      dst[2] = Ink(c, k);
    }
  }
}

// Decodes all scan lines into pixels, which holds output width x height
// blue, green, red triples.
bool ReadLines(JpegJob* job, uint8_t* pixels) {
  jpeg_decompress_struct* info = &job->info;
  if (setjmp(job->trap.jump)) return false;
  const JDIMENSION width = info->output_width, height = info->output_height;
  if (!jpeg_start_decompress(info)) return false;
  if (info->output_width != width || info->output_height != height) return false;
  JSAMPARRAY line = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                               width * info->output_components, 1);
  const size_t row_bytes = size_t{width} * 3;
  while (info->output_scanline < height) {
    const JDIMENSION row = info->output_scanline;
    if (jpeg_read_scanlines(info, line, 1) != 1) return false;
    ConvertLine(*info, line[0], pixels + row * row_bytes);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Picture* out) {
  ClearPicture(out);
  if (data == nullptr || size == 0 || size > ULONG_MAX) return false;
  JpegDecoder decoder;
  JpegJob* job = decoder.job();
  if (!ReadHeader(job, data, size)) return false;

  const jpeg_decompress_struct& info = job->info;
  if (info.output_width > kMaxSide || info.output_height > kMaxSide) return false;
  if (info.output_components != 1 && info.output_components != 3 && !IsCmyk(info)) return false;
  // AllocatePicture also holds the size to kMaxPicturePixels.
  if (!AllocatePicture(out, info.output_width, info.output_height, PixelFormat::kBgr24)) return false;
  if (!ReadLines(job, out->pixels.data())) {
    ClearPicture(out);
    return false;
  }
  return true;
}

}  // namespace picture
