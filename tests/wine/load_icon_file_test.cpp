// The "加载图标" action on the real main window with Wine's real open-file
// dialog, answered with key input from a second thread as a user would:
// what becomes IconPath and what the preview box then shows. And the file
// reading under it, on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "preview_pixels.h"
#include "support/open_dialog_user.h"
#include "support/ui_driver.h"
#include "ui/control_table.h"
#include "ui/file_dialog.h"
#include "ui/icon_path.h"
#include "ui/load_icon_file.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/read_whole_file.h"

namespace {

// The 16 x 16 icon and the 13 x 9 BMP of the fixtures, where the box shows
// them.
std::string ShowsIcon(HWND box) { return CompareWithReference(GrabPaintedBox(box), "ico_16x16.rgba", 16, 16, 19, 15, 0); }
std::string ShowsBmp(HWND box) { return CompareWithReference(GrabPaintedBox(box), "bmp24_13x9.rgba", 13, 9, 20, 18, 0); }

// An open handle on a file, as another program would hold it.
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD access, DWORD share)
      : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool open() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// True when nobody has the file open: it can be opened with no sharing.
bool NobodyHasOpen(const std::string& path) { return HeldFile(path, GENERIC_READ, 0).open(); }

class LoadIconFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IconPath.clear();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tarnova icons";
    CreateDirectoryA(folder_.c_str(), nullptr);
    icon_ = Copy("ico_16x16.ico", "t.ico");
    bmp_ = Copy("bmp24_13x9.bmp", "p.bmp");
    png_ = Copy("not_a_picture.png", "n.png");
    empty_ = folder_ + "\\empty.ico";
    std::ofstream(empty_, std::ios::binary | std::ios::trunc);
    program_ = folder_ + "\\viewer.exe";
    std::ofstream(program_, std::ios::binary | std::ios::trunc) << "MZ\x90";

    MainWindow* w = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(w, nullptr);
    window_ = WindowOf(w);
    box_ = ControlOf(window_, k图片框1);
    ASSERT_TRUE(BringToFront(window_));
    Pump(window_, 50);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    Pump(nullptr, 20);
    IconPath.clear();
  }

  std::string Copy(const std::string& fixture, const std::string& name) {
    const std::string path = folder_ + "\\" + name;
    EXPECT_TRUE(CopyFileA(FixturePath(fixture).c_str(), path.c_str(), FALSE)) << fixture;
    return path;
  }

  // The user clicks "加载图标" and confirms path in the dialog.
  void Load(const std::string& path) {
    ASSERT_TRUE(RunWithOpenDialog(window_, [&] { LoadIconFile(dialog_, window_, box_); },
                                  [&](OpenDialogUser& user) {
                                    EXPECT_TRUE(user.TypeFileName(path)) << path;
                                    user.Confirm();
                                    EXPECT_TRUE(user.WaitClosed());
                                  }));
  }
  // The user types a name and then cancels.
  void LoadCancelled(const std::string& typed) {
    ASSERT_TRUE(RunWithOpenDialog(window_, [&] { LoadIconFile(dialog_, window_, box_); },
                                  [&](OpenDialogUser& user) {
                                    EXPECT_TRUE(user.TypeFileName(typed));
                                    user.Cancel();
                                    EXPECT_TRUE(user.WaitClosed());
                                  }));
  }

  std::string folder_, icon_, bmp_, png_, empty_, program_;
  HWND window_ = nullptr;
  HWND box_ = nullptr;
  FileDialog dialog_;
};

TEST_F(LoadIconFileTest, ConfirmedIconBecomesIconPathAndIsShown) {
  Load(icon_);
  EXPECT_EQ(IconPath, icon_);
  EXPECT_EQ(ShowsIcon(box_), "");
}

TEST_F(LoadIconFileTest, SecondLoadReplacesIconPathAndPicture) {
  Load(icon_);
  ASSERT_EQ(IconPath, icon_);
  Load(bmp_);
  EXPECT_EQ(IconPath, bmp_);
  EXPECT_EQ(ShowsBmp(box_), "");
}

TEST_F(LoadIconFileTest, CancelChangesNothing) {
  // Nothing confirmed yet: no IconPath, an empty box.
  LoadCancelled(icon_);
  EXPECT_EQ(IconPath, "");
  EXPECT_EQ(CompareBackgroundOnly(GrabPaintedBox(box_)), "");

  // An icon loaded, then a program chosen with "打开" in the same dialog
  // component: a cancelled load keeps the icon, in IconPath and on screen.
  Load(icon_);
  ASSERT_EQ(IconPath, icon_);
  dialog_.FileName = program_;
  LoadCancelled(bmp_);
  EXPECT_EQ(IconPath, icon_);
  EXPECT_EQ(ShowsIcon(box_), "");
}

// The preview only informs: a confirmed file that shows nothing is still
// the icon of the association, and the earlier picture is gone.
TEST_F(LoadIconFileTest, ConfirmedFileThatShowsNothingStillBecomesIconPath) {
  const std::string locked = Copy("bmp24_13x9.bmp", "open elsewhere.bmp");
  HeldFile writer(locked, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(writer.open());
  const Bytes icon = Fixture("ico_16x16.ico");
  for (const std::string& path : {png_, empty_, program_, locked}) {
    SCOPED_TRACE(path);
    SetPicture(box_, icon.data(), icon.size());
    ASSERT_EQ(ShowsIcon(box_), "");
    Load(path);
    EXPECT_EQ(IconPath, path);
    EXPECT_EQ(CompareBackgroundOnly(GrabPaintedBox(box_)), "");
  }
}

TEST_F(LoadIconFileTest, ReadWholeFileGivesTheWholeFileOrNothing) {
  const std::string locked = Copy("bmp24_13x9.bmp", "locked.bmp");
  const std::string shared = Copy("bmp24_13x9.bmp", "shared.bmp");
  HeldFile writer(locked, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  HeldFile reader(shared, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(writer.open());
  ASSERT_TRUE(reader.open());
  const Bytes whole = Fixture("bmp24_13x9.bmp");
  struct Case {
    const char* name;
    std::string path;
    bool read;  // whole file, else nothing
  } cases[] = {
      {"empty path", "", false},
      {"missing file", folder_ + "\\no such file.ico", false},
      {"folder", folder_, false},
      {"zero bytes", empty_, false},
      {"open elsewhere for writing", locked, false},
      {"open elsewhere for reading", shared, true},
      {"plain file", bmp_, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ByteSet bytes = ReadWholeFile(c.path);
    EXPECT_EQ(bytes, c.read ? whole : Bytes());
  }
  // Closed again on the way out, whether read or not.
  EXPECT_TRUE(NobodyHasOpen(bmp_));
  EXPECT_TRUE(NobodyHasOpen(empty_));
}

}  // namespace
