// The preview box of the real main window: pictures written by ImageMagick
// handed to SetPicture, the box painted into a bitmap of the test's own
// (WM_PRINTCLIENT) and on the screen, and the pixels compared with
// ImageMagick's reading of the same files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "preview_pixels.h"
#include "support/gdi_objects.h"
#include "support/ui_driver.h"
#include "ui/control_table.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/picture_box_state.h"

namespace {

using PictureBoxTest = PreviewBoxTest;

// Both ways of reading the box back: the paint handler into our own bitmap,
// and what it painted in the window.
struct Source {
  const char* name;
  Canvas (*read)(HWND box);
};
const Source kSources[] = {{"WM_PRINTCLIENT", RenderBox}, {"window", GrabPaintedBox}};

TEST_F(PictureBoxTest, ClientAreaIsTheSizeThePlacementAssumes) {
  RECT client{};
  GetClientRect(box_, &client);
  EXPECT_EQ(client.right, 54);
  EXPECT_EQ(client.bottom, 46);
}

TEST_F(PictureBoxTest, StartsWithTheBackgroundOnly) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    EXPECT_EQ(CompareBackgroundOnly(source.read(box_)), "");
  }
}

// Every kind at its natural size, centred, pixel for pixel against
// ImageMagick's reading of the file.
struct KindCase {
  const char* file;
  const char* reference;
  int width, height;  // natural size
  int x, y;           // where it lies in the 54 x 46 area
  int tolerance;      // per channel; JPEG decoders may round differently
};

const KindCase kKinds[] = {
    {"bmp1_13x9.bmp", "bmp1_13x9.rgba", 13, 9, 20, 18, 0},
    {"bmp4_13x9.bmp", "bmp4_13x9.rgba", 13, 9, 20, 18, 0},
    {"bmp8_13x9.bmp", "bmp8_13x9.rgba", 13, 9, 20, 18, 0},
    {"bmp24_13x9.bmp", "bmp24_13x9.rgba", 13, 9, 20, 18, 0},
    {"bmp32_13x9.bmp", "bmp32_13x9.rgba", 13, 9, 20, 18, 0},
    {"jpeg_24x18.jpg", "jpeg_24x18.rgba", 24, 18, 15, 14, 2},
    {"jpeg_grey_20x14.jpg", "jpeg_grey_20x14.rgba", 20, 14, 17, 16, 2},
    // Round, with transparent corners that must show the background: 32 bits
    // with alpha.
    {"ico_16x16.ico", "ico_16x16.rgba", 16, 16, 19, 15, 0},
    // 16 colours, transparent through its AND mask.
    {"ico_mask_16x16.ico", "ico_mask_16x16.rgba", 16, 16, 19, 15, 0},
    {"cur_12x10.cur", "cur_12x10.rgba", 12, 10, 21, 18, 0},
    {"pcx8_15x11.pcx", "pcx8_15x11.rgba", 15, 11, 19, 17, 0},
    // Set bits white, clear bits black.
    {"pcxmono_17x7.pcx", "pcxmono_17x7.rgba", 17, 7, 18, 19, 0},
    // Entries 16 x 16 with 16 colours, 32 x 32 with 16 colours, 48 x 48 with
    // 256: the 32 x 32 one is shown.
    {"entries_16_32_48.ico", "entries_16_32_48.rgba", 32, 32, 11, 7, 0},
};

TEST_F(PictureBoxTest, EveryKindIsShownCentredAtItsNaturalSize) {
  for (const KindCase& c : kKinds) {
    SCOPED_TRACE(c.file);
    ShowFile(c.file);
    for (const Source& source : kSources) {
      SCOPED_TRACE(source.name);
      EXPECT_EQ(CompareWithReference(source.read(box_), c.reference, c.width, c.height, c.x, c.y, c.tolerance), "");
    }
  }
}

// The transparent corners of the icons really are the background, and their
// middle really is the picture: a bare reference comparison would not show
// which of the two went wrong.
TEST_F(PictureBoxTest, IconTransparencyShowsTheBackground) {
  for (const char* file : {"ico_16x16.ico", "ico_mask_16x16.ico"}) {
    SCOPED_TRACE(file);
    ShowFile(file);
    const Canvas canvas = RenderBox(box_);
    EXPECT_EQ(canvas.at(19, 15), Background());            // top left corner of the icon
    EXPECT_EQ(canvas.at(19 + 15, 15 + 15), Background());  // bottom right
    EXPECT_FALSE(canvas.at(19 + 8, 15 + 8) == Background());
  }
}

bool Black(Rgb c) { return Near(c, Rgb{0, 0, 0}, 0); }
bool JpegBlue(Rgb c) { return Near(c, Rgb{0x20, 0x40, 0x80}, 8); }
// The 48 x 48 entries are shades of blue.
bool Blue(Rgb c) { return c.b >= 0x70 && c.r < 0x20 && c.g < 0x20; }

// Pictures that do not fit are shrunk with their proportions kept, never
// enlarged or clipped; checked from where the picture's pixels lie.
struct FitCase {
  const char* file;
  RECT placed;  // left, top, right, bottom in the 54 x 46 area
  bool (*inside)(Rgb);
  const char* insideName;
};

const FitCase kFits[] = {
    {"fit_100x100.bmp", {4, 0, 4 + 46, 46}, Black, "black"},
    {"fit_100x20.bmp", {0, 18, 54, 18 + 10}, Black, "black"},
    {"fit_20x100.bmp", {22, 0, 22 + 9, 46}, Black, "black"},
    {"fit_54x46.bmp", {0, 0, 54, 46}, Black, "black"},
    {"fit_55x46.bmp", {0, 0, 54, 45}, Black, "black"},
    {"fit_54x47.bmp", {1, 0, 1 + 52, 46}, Black, "black"},
    {"fit_300x12.bmp", {0, 22, 54, 22 + 2}, Black, "black"},
    {"fit_1x1.bmp", {26, 22, 27, 23}, Black, "black"},
    {"fit_640x480.jpg", {0, 3, 54, 3 + 40}, JpegBlue, "#204080"},
    // Icon entries all with colour count 0 (32 x 32, then 48 x 48): the last
    // one, shrunk like any picture.
    {"entries_256_32_48.ico", {4, 0, 4 + 46, 46}, Blue, "blue"},
};

TEST_F(PictureBoxTest, LargerPicturesAreShrunkToFit) {
  for (const FitCase& c : kFits) {
    SCOPED_TRACE(c.file);
    ShowFile(c.file);
    for (const Source& source : kSources) {
      SCOPED_TRACE(source.name);
      EXPECT_EQ(CompareFilledRect(source.read(box_), c.placed, c.inside, c.insideName), "");
    }
  }
}

// What is no picture for the box clears it, whatever it showed before.
TEST_F(PictureBoxTest, BrokenOrUnknownBytesClearTheBox) {
  const Bytes bmp = Fixture("bmp24_13x9.bmp");
  const Bytes ico = Fixture("ico_16x16.ico");
  ASSERT_FALSE(bmp.empty());
  ASSERT_FALSE(ico.empty());
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  struct Case {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"PNG", Fixture("not_a_picture.png")},
      {"this test program", ReadBytes(program)},
      {"no bytes", {}},
      {"five bytes of a BMP", Bytes(bmp.begin(), bmp.begin() + 5)},
      {"BMP cut inside its rows", Bytes(bmp.begin(), bmp.begin() + 200)},
      {"BMP cut inside its header", Bytes(bmp.begin(), bmp.begin() + 40)},
      {"icon directory only", Bytes(ico.begin(), ico.begin() + 22)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name != std::string("no bytes")) {
      ASSERT_GE(c.bytes.size(), 5u);
    }
    Show(bmp);
    ASSERT_EQ(CompareWithReference(RenderBox(box_), "bmp24_13x9.rgba", 13, 9, 20, 18, 0), "");
    Show(c.bytes);
    for (const Source& source : kSources) {
      SCOPED_TRACE(source.name);
      EXPECT_EQ(CompareBackgroundOnly(source.read(box_)), "");
    }
  }
}

// The box works on its own copy: the caller's bytes may go at once.
TEST_F(PictureBoxTest, KeepsItsOwnCopyOfTheBytes) {
  Bytes bytes = Fixture("bmp8_13x9.bmp");
  Show(bytes);
  const PictureBox* state = PictureBoxOf(box_);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->bytes, bytes);
  EXPECT_NE(state->bytes.data(), bytes.data());
  std::fill(bytes.begin(), bytes.end(), 0);
  bytes.clear();
  bytes.shrink_to_fit();
  EXPECT_EQ(CompareWithReference(GrabPaintedBox(box_), "bmp8_13x9.rgba", 13, 9, 20, 18, 0), "");
}

// SetPicture asks for a repaint of the whole box; the picture appears with
// the next paint.
TEST_F(PictureBoxTest, NewPictureInvalidatesTheWholeBox) {
  UpdateWindow(box_);
  RECT pending{};
  ASSERT_FALSE(GetUpdateRect(box_, &pending, FALSE));
  ShowFile("ico_16x16.ico");
  ASSERT_TRUE(GetUpdateRect(box_, &pending, FALSE));
  EXPECT_EQ(pending.left, 0);
  EXPECT_EQ(pending.top, 0);
  EXPECT_EQ(pending.right, 54);
  EXPECT_EQ(pending.bottom, 46);
  Show({});
  ASSERT_TRUE(GetUpdateRect(box_, &pending, FALSE));
  EXPECT_EQ(pending.right, 54);
}


TEST_F(PictureBoxTest, NoGdiObjectOrIconOutlivesItsPicture) {
  const char* files[] = {"bmp24_13x9.bmp", "jpeg_24x18.jpg", "ico_16x16.ico", "cur_12x10.cur",
                         "pcx8_15x11.pcx", "pcxmono_17x7.pcx", "not_a_picture.png", "entries_256_32_48.ico",
                         "bmp1_13x9.bmp", "fit_640x480.jpg"};
  std::vector<Bytes> pictures;
  for (const char* file : files) {
    pictures.push_back(Fixture(file));
    ASSERT_FALSE(pictures.back().empty()) << file;
  }
  pictures.push_back({});
  auto cycle = [&](int calls) {
    for (int i = 0; i < calls; ++i) {
      Show(pictures[size_t(i) % pictures.size()]);
      RenderBox(box_);
      UpdateWindow(box_);
    }
  };
  // The first round lets the system make what it keeps for good.
  cycle(int(pictures.size()));
  const int gdiBefore = GdiObjectCount();
  ASSERT_GT(gdiBefore, 0);
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  cycle(200);
  Show({});
  EXPECT_EQ(GdiObjectCount(), gdiBefore);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);  // 0 on Wine

  // Wine cannot count user objects: there the icon's own fate is checked.
  ShowFile("ico_16x16.ico");
  const HICON shown = PictureBoxOf(box_)->icon.get();
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(shown, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  ShowFile("bmp24_13x9.bmp");
  EXPECT_FALSE(GetIconInfo(shown, &info));
}

// Destroying the box with a picture frees it too (the icon goes with it).
TEST_F(PictureBoxTest, DestroyingTheWindowFreesThePicture) {
  ShowFile("ico_16x16.ico");
  RenderBox(box_);
  const HICON shown = PictureBoxOf(box_)->icon.get();
  ASSERT_NE(shown, nullptr);
  DestroyWindow(window_);
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(shown, &info));
}

}  // namespace
