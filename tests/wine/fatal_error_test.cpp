// The fatal error box and the end of the process it brings, seen from a
// parent process: the test starts itself as the child that fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "support/message_box_watcher.h"
#include "ui/fatal_error.h"
#include "ui/quiet_allocation.h"

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
  STARTUPINFOA si{};
  si.cb = sizeof si;
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

// This test program links the program's own operator new.
constexpr size_t kImpossibleBytes = size_t(1) << 62;

TEST(OutOfMemory, AFailedAllocationEndsWithTheBoxNamingItsSize) {
  ChildRun run = RunFailingChild("allocate");
  ASSERT_TRUE(run.box.seen);
  EXPECT_NE(run.box.text.find("错误信息：分配 4611686018427387904 字节内存失败!"), std::string::npos) << run.box.text;
  EXPECT_EQ(run.exitCode, 0xFFFFFFFFu);
}

TEST(OutOfMemory, InsideAQuietScopeTheCallerGetsBadAlloc) {
  ChildRun run = RunFailingChild("quiet");
  EXPECT_FALSE(run.box.seen);
  EXPECT_EQ(run.exitCode, 42u);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == kChildFlag) {
    std::string mode = argv[2];
    if (mode == "startup") ReportFatalError("载入启动窗口失败", 0);
    if (mode == "allocate") {
      std::vector<uint8_t> bytes(kImpossibleBytes);
      return bytes[0];
    }
    if (mode == "quiet") {
      QuietAllocationFailure quiet;
      try {
        std::vector<uint8_t> bytes(kImpossibleBytes);
        return bytes[0];
      } catch (const std::bad_alloc&) {
        return 42;
      }
    }
    ReportFatalError("分配 123456789 字节内存失败!", 7);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
