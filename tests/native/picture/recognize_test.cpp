// The signature table, first match wins.
#include <gtest/gtest.h>

#include <string>

#include "picture/recognize.h"

namespace {

using picture::PictureKind;

TEST(RecognizePicture, SignatureTable) {
  struct Case {
    std::string bytes;
    PictureKind kind;
  } cases[] = {
      {std::string("BM\0\0\0\0", 6), PictureKind::kBmp},
      {std::string("\xFF\xD8\xFF\xE0\0\x10", 6), PictureKind::kJpeg},
      // Reserved 0, type 1 / 2, count 1.
      {std::string("\0\0\1\0\1\0", 6), PictureKind::kIcon},
      {std::string("\0\0\2\0\1\0", 6), PictureKind::kCursor},
      {std::string("\0\0\1\0\xFF\xFF", 6), PictureKind::kIcon},
      // A count of 0 is neither.
      {std::string("\0\0\1\0\0\0", 6), PictureKind::kNone},
      {std::string("\0\0\2\0\0\0", 6), PictureKind::kNone},
      {std::string("\0\0\3\0\1\0", 6), PictureKind::kNone},
      {std::string("\1\0\1\0\1\0", 6), PictureKind::kNone},
      {"GIF87a", PictureKind::kGif},
      {"GIF89a", PictureKind::kGif},
      {"GIF88a", PictureKind::kNone},
      {"gif89a", PictureKind::kNone},
      // PCX: manufacturer 0A, version, encoding 1, bits per pixel.
      {std::string("\x0A\5\1\x08\0\0", 6), PictureKind::kPcx8},
      {std::string("\x0A\0\1\x08\0\0", 6), PictureKind::kPcx8},
      {std::string("\x0A\3\1\x08\0\0", 6), PictureKind::kPcx8},
      {std::string("\x0A\6\1\x08\0\0", 6), PictureKind::kNone},
      {std::string("\x0A\5\0\x08\0\0", 6), PictureKind::kNone},
      {std::string("\x0A\3\1\x01\0\0", 6), PictureKind::kPcxMono},
      // Monochrome only as version 3.
      {std::string("\x0A\5\1\x01\0\0", 6), PictureKind::kNone},
      {std::string("\x0A\2\1\x01\0\0", 6), PictureKind::kNone},
      {std::string("\x0A\3\1\x04\0\0", 6), PictureKind::kNone},
      // PNG is not a picture the preview shows.
      {std::string("\x89PNG\r\n", 6), PictureKind::kNone},
      {std::string("MZ\x90\0\3\0", 6), PictureKind::kNone},
      // Only the first six bytes count, and there must be six.
      {"BM", PictureKind::kNone},
      {"GIF89", PictureKind::kNone},
      {std::string("\xFF\xD8\xFF\xE0\0", 5), PictureKind::kNone},
      {"", PictureKind::kNone},
  };
  for (const Case& c : cases) {
    const auto* data = reinterpret_cast<const uint8_t*>(c.bytes.data());
    EXPECT_EQ(picture::RecognizePicture(data, c.bytes.size()), c.kind) << "bytes of size " << c.bytes.size()
                                                                       << ": " << c.bytes;
  }
  EXPECT_EQ(picture::RecognizePicture(nullptr, 0), PictureKind::kNone);
}

}  // namespace
