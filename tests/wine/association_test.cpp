// Adding and removing associations on the real (Wine) registry; the closing
// box is dismissed as a user would and its text checked.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>

#include "association/association.h"
#include "association/messages.h"
#include "support/message_box_watcher.h"
#include "support/registry_fixture.h"
#include "ui/information_box.h"

namespace {

// A real file whose path has a space, to be named as the program.
std::string MakeProgramFile(const std::string& folderName) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + folderName;
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "\\viewer.exe";
  std::ofstream(path) << "MZ";
  return path;
}

class AssociationTest : public RegistryTest {
 protected:
  std::string Default(const std::string& key) { return ReadValue(HKEY_CLASSES_ROOT, key).AsText(); }
  bool HasDefault(const std::string& key) { return ReadValue(HKEY_CLASSES_ROOT, key).valueExists; }
};

TEST_F(AssociationTest, AddWritesTheThreeItemsAndShowsSuccess) {
  std::string ext = FreshExtension();
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] {
    AddAssociation(ext, "C:\\Tools\\view.exe", "C:\\Icons\\t.ico");
  });
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.text, messages::kAddSucceeded);
  EXPECT_FALSE(box.hasIcon);
  EXPECT_EQ(box.owner, nullptr);

  RegistryValue type = ReadValue(HKEY_CLASSES_ROOT, "." + ext);
  EXPECT_EQ(type.type, DWORD(REG_SZ));
  EXPECT_EQ(type.AsText(), ext + "file");
  EXPECT_EQ(type.bytes.size(), ext.size() + 5);
  EXPECT_EQ(Default(ext + "file\\DefaultIcon"), "C:\\Icons\\t.ico");
  // The program does not exist, so it is kept as typed; the document is quoted.
  EXPECT_EQ(Default(ext + "file\\shell\\open\\command"), "C:\\Tools\\view.exe  \"%1\"");
}

TEST_F(AssociationTest, AnIndependentClientReadsTheAssociation) {
  std::string ext = FreshExtension();
  EXPECT_STREQ(ApplyAddAssociation(ext, "C:\\Tools\\view.exe", ""), messages::kAddSucceeded);
  std::string out = CommandOutput("reg query HKEY_CLASSES_ROOT\\." + ext + " /ve");
  EXPECT_NE(out.find(ext + "file"), std::string::npos) << out;
  out = CommandOutput("cmd /c ftype " + ext + "file");
  EXPECT_NE(out.find("C:\\Tools\\view.exe  \"%1\""), std::string::npos) << out;
}

TEST_F(AssociationTest, ExistingProgramWithSpacesIsQuoted) {
  std::string ext = FreshExtension();
  std::string program = MakeProgramFile("Tarnova Test Programs");
  ApplyAddAssociation(ext, program, "");
  EXPECT_EQ(Default(ext + "file\\shell\\open\\command"), "\"" + program + "\"  \"%1\"");
}

TEST_F(AssociationTest, WithoutIconAnExistingDefaultIconIsKept) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, ext + "file\\DefaultIcon", "", "C:\\old.ico");
  ApplyAddAssociation(ext, "C:\\Tools\\view.exe", "");
  EXPECT_EQ(Default(ext + "file\\DefaultIcon"), "C:\\old.ico");

  std::string fresh = FreshExtension();
  ApplyAddAssociation(fresh, "C:\\Tools\\view.exe", "");
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, fresh + "file\\DefaultIcon"));
}

TEST_F(AssociationTest, AddThatTheRegistryRefusesReportsFailure) {
  // Key names over 255 characters are refused by the registry.
  std::string ext(280, 'z');
  Cleanup(HKEY_CLASSES_ROOT, "." + ext);
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] { AddAssociation(ext, "C:\\v.exe", ""); });
  EXPECT_EQ(box.text, messages::kAddFailed);
}

TEST_F(AssociationTest, RefusedExtensionsTouchNothing) {
  struct Case { std::string ext; const char* message; } cases[] = {
      {"", messages::kInvalidExtension},
      {".txt", messages::kInvalidExtension},
      {"a\\b", messages::kInvalidExtension},
      {"a|b", messages::kInvalidExtension},
      {"a:b", messages::kInvalidExtension},
      {"exe", messages::kExecutableType},
      {"LNK", messages::kExecutableType},
      {"Bat", messages::kExecutableType},
  };
  std::string exeType = Default(".exe");
  std::string lnkType = Default(".lnk");
  for (const Case& c : cases) {
    DismissedBox box = RunDismissingBox(kInformationCaption, [&] { AddAssociation(c.ext, "C:\\v.exe", "C:\\i.ico"); });
    EXPECT_EQ(box.text, c.message) << c.ext;
    box = RunDismissingBox(kInformationCaption, [&] { RemoveAssociation(c.ext); });
    EXPECT_EQ(box.text, c.message) << c.ext;
  }
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "..txt"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".txtfile"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "."));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "file\\shell\\open\\command"));
  EXPECT_EQ(Default(".exe"), exeType);
  EXPECT_EQ(Default(".lnk"), lnkType);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "exefile\\DefaultIcon") &&
               Default("exefile\\DefaultIcon") == "C:\\i.ico");
}

TEST_F(AssociationTest, RemoveAfterAddUntiesTheExtension) {
  std::string ext = FreshExtension();
  ApplyAddAssociation(ext, "C:\\Tools\\view.exe", "C:\\Icons\\t.ico");
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] { RemoveAssociation(ext); });
  EXPECT_EQ(box.text, messages::kRemoveSucceeded);
  EXPECT_FALSE(HasDefault("." + ext));
  EXPECT_FALSE(HasDefault(ext + "file\\shell\\open\\command"));
  // The type key still has DefaultIcon below it, so the registry keeps it.
  EXPECT_EQ(Default(ext + "file\\DefaultIcon"), "C:\\Icons\\t.ico");
}

TEST_F(AssociationTest, RemoveTwiceDeletesTheEmptyKeys) {
  std::string ext = FreshExtension();
  ApplyAddAssociation(ext, "C:\\Tools\\view.exe", "");
  EXPECT_STREQ(ApplyRemoveAssociation(ext), messages::kRemoveSucceeded);
  // Second run: no values left, so the key deletions go through.
  EXPECT_STREQ(ApplyRemoveAssociation(ext), messages::kRemoveSucceeded);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "." + ext));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ext + "file"));
}

TEST_F(AssociationTest, RemoveLeavesAnExtensionTakenByAnotherProgram) {
  std::string ext = FreshExtension();
  ApplyAddAssociation(ext, "C:\\Tools\\view.exe", "");
  SetText(HKEY_CLASSES_ROOT, "." + ext, "", "OtherApp.Document");
  EXPECT_STREQ(ApplyRemoveAssociation(ext), messages::kRemoveSucceeded);
  EXPECT_EQ(Default("." + ext), "OtherApp.Document");
}

TEST_F(AssociationTest, RemoveMatchesOurTypeWhateverItsLetterCase) {
  std::string ext = FreshExtension();
  SetText(HKEY_CLASSES_ROOT, "." + ext, "", "TNV" + ext.substr(3) + "FILE");
  EXPECT_STREQ(ApplyRemoveAssociation(ext), messages::kRemoveSucceeded);
  EXPECT_FALSE(HasDefault("." + ext));
}

TEST_F(AssociationTest, RemoveNeverAssociatedReportsSuccess) {
  std::string ext = FreshExtension();
  DismissedBox box = RunDismissingBox(kInformationCaption, [&] { RemoveAssociation(ext); });
  EXPECT_EQ(box.text, messages::kRemoveSucceeded);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "." + ext));
}

// Collects SHCNE_ASSOCCHANGED notifications sent to a hidden window.
class ShellNotifications {
 public:
  static constexpr UINT kMessage = WM_APP + 1;
  ShellNotifications() {
    window_ = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SHChangeNotifyEntry entry = {nullptr, TRUE};
    id_ = SHChangeNotifyRegister(window_, SHCNRF_ShellLevel | SHCNRF_InterruptLevel, SHCNE_ASSOCCHANGED, kMessage, 1, &entry);
  }
  ~ShellNotifications() {
    if (id_) SHChangeNotifyDeregister(id_);
    DestroyWindow(window_);
  }
  bool registered() const { return id_ != 0; }
  int Drain() {
    int count = 0;
    MSG msg;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 300) {
      while (PeekMessageA(&msg, window_, 0, 0, PM_REMOVE)) count += msg.message == kMessage;
      Sleep(10);
    }
    return count;
  }

 private:
  HWND window_ = nullptr;
  ULONG id_ = 0;
};

TEST_F(AssociationTest, ShellIsToldOnlyAfterSuccess) {
  ShellNotifications shell;
  // Known platform difference: Wine 8 does not deliver SHCNE_ASSOCCHANGED
  // to registered windows, so the check only bites on Windows.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  if (!shell.registered() || shell.Drain() == 0) GTEST_SKIP() << "this platform delivers no association change notifications";
  std::string ext = FreshExtension();
  ApplyAddAssociation(ext, "C:\\Tools\\view.exe", "");
  EXPECT_GE(shell.Drain(), 1);
  ApplyAddAssociation("exe", "C:\\Tools\\view.exe", "");
  EXPECT_EQ(shell.Drain(), 0);
  ApplyRemoveAssociation(ext);
  EXPECT_GE(shell.Drain(), 1);
}

}  // namespace
