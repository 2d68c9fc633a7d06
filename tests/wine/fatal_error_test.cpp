// The fatal error box and the end of the process it brings, seen from a
// parent process: the test starts itself as the child that fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/message_box_watcher.h"
#include "ui/fatal_error.h"

namespace {

constexpr char kChildFlag[] = "--report-fatal";

struct ChildRun {
  DismissedBox box;
  DWORD exitCode = 0;
};

ChildRun RunFailingChild(const std::string& mode) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string commandLine = "\"" + std::string(self) + "\" " + kChildFlag + " " + mode;
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  ChildRun run;
  run.box = RunDismissingBox("错误", [&] {
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 20000);
  });
  if (pi.hProcess) {
    WaitForSingleObject(pi.hProcess, 5000);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return run;
}

TEST(ReportFatalError, StartUpFailureShowsTheBoxAndEndsWithMinusOne) {
  ChildRun run = RunFailingChild("startup");
  ASSERT_TRUE(run.box.seen);
  // Whether the box keeps the final line break is the system's affair.
  const std::string expected = "运行时出错!\r\n\r\n错误信息：载入启动窗口失败";
  EXPECT_EQ(run.box.text.compare(0, expected.size(), expected), 0) << run.box.text;
  EXPECT_TRUE(run.box.hasIcon) << "the error icon";
  EXPECT_EQ(run.box.owner, nullptr);
  EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
}

TEST(ReportFatalError, CodeAndAllocationMessage) {
  ChildRun run = RunFailingChild("allocation");
  ASSERT_TRUE(run.box.seen);
  EXPECT_NE(run.box.text.find("错误代码：7\r\n\r\n错误信息：分配 123456789 字节内存失败!"), std::string::npos)
      << run.box.text;
  EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == kChildFlag) {
    if (std::string(argv[2]) == "startup") ReportFatalError("载入启动窗口失败", 0);
    ReportFatalError("分配 123456789 字节内存失败!", 7);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
