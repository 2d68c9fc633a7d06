// The committed fuzz seeds (small files written by ImageMagick) as fixtures:
// each decodes whole, and every prefix of it decodes to the outcome that the
// rules give for data that ends early, without a read past the end.
#include <gtest/gtest.h>

#include <string>

#include "picture/icon_directory.h"
#include "picture/recognize.h"
#include "picture/still_picture.h"
#include "picture_test_support.h"

namespace {

using picture::PictureKind;
using picture_test::Bytes;

enum class WhenCut {
  kNoPicture,  // BMP, icon, cursor: a short read gives no picture
  kPartial,    // PCX: what was decoded, the rest index 0 / black
  kNoCrash,    // JPEG: libjpeg fills in missing data; only safety is checked
};

struct SeedCase {
  const char* file;
  PictureKind kind;
  WhenCut when_cut;
};

const SeedCase kSeeds[] = {
    {"bmp24_5x3.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"bmp4_5x3.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"bmp1_9x4.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"bmp8_6x3.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"bmp24_v5_4x3.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"bmp32_3x2.bmp", PictureKind::kBmp, WhenCut::kNoPicture},
    {"ico_8x8.ico", PictureKind::kIcon, WhenCut::kNoPicture},
    {"cur_8x8.cur", PictureKind::kCursor, WhenCut::kNoPicture},
    {"pcx8_8x4.pcx", PictureKind::kPcx8, WhenCut::kPartial},
    {"pcxmono_10x3.pcx", PictureKind::kPcxMono, WhenCut::kPartial},
    {"jpeg_8x5.jpg", PictureKind::kJpeg, WhenCut::kNoCrash},
    {"jpeg_grey_9x7.jpg", PictureKind::kJpeg, WhenCut::kNoCrash},
    {"jpeg_progressive_9x7.jpg", PictureKind::kJpeg, WhenCut::kNoCrash},
    {"jpeg_cmyk_4x4.jpg", PictureKind::kJpeg, WhenCut::kNoCrash},
};

bool Decode(PictureKind kind, const Bytes& bytes, picture::Picture* decoded) {
  if (kind == PictureKind::kIcon || kind == PictureKind::kCursor) {
    picture::IconImage image;
    return picture::ChooseIconImage(bytes.data(), bytes.size(), &image);
  }
  return picture::DecodeStillPicture(kind, bytes.data(), bytes.size(), decoded);
}

// A cut picture equals the whole one up to some pixel, and is 0 from there.
std::string PartialMismatch(const Bytes& whole, const Bytes& cut) {
  if (whole.size() != cut.size()) return "size differs";
  size_t i = 0;
  while (i < whole.size() && whole[i] == cut[i]) ++i;
  for (; i < cut.size(); ++i) {
    if (cut[i] != 0) return "byte " + std::to_string(i) + " is neither decoded nor 0";
  }
  return "";
}

TEST(SeedFiles, WholeAndEveryPrefix) {
  for (const SeedCase& seed : kSeeds) {
    SCOPED_TRACE(seed.file);
    Bytes whole;
    ASSERT_TRUE(picture_test::ReadFileBytes(picture_test::SeedDir() + "/" + seed.file, &whole));
    ASSERT_EQ(picture::RecognizePicture(whole.data(), whole.size()), seed.kind);
    picture::Picture full;
    ASSERT_TRUE(Decode(seed.kind, whole, &full));

    for (size_t size = 0; size < whole.size(); ++size) {
      // An exact heap copy: a read past the prefix is an overflow.
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      picture::Picture decoded;
      const bool ok = Decode(seed.kind, cut, &decoded);
      switch (seed.when_cut) {
        case WhenCut::kNoPicture:
          EXPECT_FALSE(ok) << "prefix of " << size << " bytes";
          break;
        case WhenCut::kPartial:
          ASSERT_EQ(ok, size > 128) << "prefix of " << size << " bytes";
          if (ok) {
            EXPECT_EQ(PartialMismatch(full.pixels, decoded.pixels), "") << "prefix of " << size << " bytes";
          }
          break;
        case WhenCut::kNoCrash:
          if (ok) {
            EXPECT_EQ(decoded.pixels.size(), full.pixels.size()) << "prefix of " << size << " bytes";
          }
          break;
      }
    }
  }
}

// Patches the frame size of a JPEG (the first SOF0 or SOF2 marker).
bool SetJpegSize(Bytes* jpeg, uint16_t width, uint16_t height) {
  for (size_t i = 2; i + 9 <= jpeg->size(); ++i) {
    if ((*jpeg)[i] == 0xFF && ((*jpeg)[i + 1] == 0xC0 || (*jpeg)[i + 1] == 0xC2)) {
      // Marker, length (2), precision (1), height (2), width (2).
      (*jpeg)[i + 5] = static_cast<uint8_t>(height >> 8);
      (*jpeg)[i + 6] = static_cast<uint8_t>(height);
      (*jpeg)[i + 7] = static_cast<uint8_t>(width >> 8);
      (*jpeg)[i + 8] = static_cast<uint8_t>(width);
      return true;
    }
  }
  return false;
}

// A valid stream with a frame header claiming a larger picture decodes to
// that size (libjpeg fills the missing data), unless the size passes the
// cap, which is checked before anything is allocated.
TEST(SeedFiles, JpegFrameSizeCap) {
  Bytes jpeg;
  ASSERT_TRUE(picture_test::ReadFileBytes(picture_test::SeedDir() + "/jpeg_grey_9x7.jpg", &jpeg));
  struct Case {
    uint16_t width, height;
    bool ok;
  } cases[] = {
      {640, 480, true},
      {8192, 8192, true},   // exactly 1 << 26 pixels
      {8193, 8192, false},
      {65500, 2000, false},
      {65535, 1, false},    // above libjpeg's own limit of 65500
  };
  for (const Case& c : cases) {
    Bytes patched = jpeg;
    ASSERT_TRUE(SetJpegSize(&patched, c.width, c.height));
    picture::Picture decoded;
    const bool ok = picture::DecodeStillPicture(PictureKind::kJpeg, patched.data(), patched.size(), &decoded);
    EXPECT_EQ(ok, c.ok) << c.width << " x " << c.height;
    if (ok) {
      EXPECT_EQ(decoded.width, c.width);
      EXPECT_EQ(decoded.height, c.height);
    }
  }
}

}  // namespace

namespace {

// A progressive stream whose last scan is repeated: libjpeg only warns about
// such a progression, but every scan costs a pass over the whole picture, so
// streams of very many scans are refused.
TEST(SeedFiles, JpegScanCountLimit) {
  Bytes jpeg;
  ASSERT_TRUE(picture_test::ReadFileBytes(picture_test::SeedDir() + "/jpeg_progressive_9x7.jpg", &jpeg));
  size_t last_scan = 0;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) last_scan = i;
  }
  ASSERT_GT(last_scan, 0u);
  ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);  // EOI right after the last scan's data
  const Bytes scan(jpeg.begin() + static_cast<std::ptrdiff_t>(last_scan), jpeg.end() - 2);

  struct Case {
    int repeats;
    bool ok;
  } cases[] = {{20, true}, {1100, false}};
  for (const Case& c : cases) {
    Bytes stream(jpeg.begin(), jpeg.end() - 2);
    for (int i = 0; i < c.repeats; ++i) stream.insert(stream.end(), scan.begin(), scan.end());
    stream.insert(stream.end(), {0xFF, 0xD9});
    picture::Picture decoded;
    EXPECT_EQ(picture::DecodeStillPicture(PictureKind::kJpeg, stream.data(), stream.size(), &decoded), c.ok)
        << c.repeats << " extra scans";
  }
}

}  // namespace
