// The GIF player in the real main window's preview box: GIFs written by
// ImageMagick handed to SetPicture, the box read back from the screen while
// its worker draws (and through WM_PRINTCLIENT, which paints the same canvas),
// the worker thread seen among the process's threads.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "preview_pixels.h"
#include "support/gdi_objects.h"
#include "support/ui_driver.h"
#include "ui/control_table.h"
#include "ui/gdi_handles.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace {

// ---- What the process holds ------------------------------------------------

// The ids of this process's threads.
std::set<DWORD> ThreadIds() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return ids;
}

std::set<DWORD> Without(const std::set<DWORD>& all, const std::set<DWORD>& some) {
  std::set<DWORD> rest;
  std::set_difference(all.begin(), all.end(), some.begin(), some.end(), std::inserter(rest, rest.end()));
  return rest;
}


// Kernel handles of this process. GetProcessHandleCount says 0 on Wine;
// there the system's handle list is counted.
struct SystemHandleEntry {
  ULONG ownerPid;
  UCHAR objectType;
  UCHAR flags;
  USHORT handle;
  void* object;
  ACCESS_MASK access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};

int KernelHandleCount() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) return int(counted);
  using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  const int kSystemHandleInformation = 16;
  const LONG kInfoLengthMismatch = LONG(0xC0000004);
  std::vector<char> buffer(1 << 16);
  LONG status;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()), &needed)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
  int count = 0;
  for (ULONG i = 0; i < list->count; ++i) count += list->entries[i].ownerPid == GetCurrentProcessId();
  return count;
}

// ---- Pixels ----------------------------------------------------------------

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kWhite{255, 255, 255};

// A rectangle of the 54 x 46 area in one colour.
struct Region {
  RECT rect;
  Rgb colour;
};

// Empty when each pixel has the colour of the first region that holds it,
// or is the background when none does; otherwise names the first that
// differs.
std::string CompareRegions(const Canvas& canvas, const std::vector<Region>& regions) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      Rgb expected = Background();
      for (const Region& r : regions) {
        if (x >= r.rect.left && x < r.rect.right && y >= r.rect.top && y < r.rect.bottom) {
          expected = r.colour;
          break;
        }
      }
      const Rgb actual = canvas.at(x, y);
      if (!(actual == expected)) {
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + "): expected " + Describe(expected) +
               ", got " + Describe(actual);
      }
    }
  }
  return "";
}

// What the box shows on the screen right now, without asking for a paint:
// the worker's drawing, or what the last paint left.
Canvas GrabScreen(HWND box) {
  RECT client{};
  GetClientRect(box, &client);
  Canvas canvas;
  canvas.width = client.right;
  canvas.height = client.bottom;
  WindowDC dc(box);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const COLORREF c = GetPixel(dc.get(), x, y);
      canvas.pixels.push_back(Rgb{GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  return canvas;
}

// Both ways of reading the box back once its worker runs.
struct Source {
  const char* name;
  Canvas (*read)(HWND box);
};
const Source kSources[] = {{"screen", GrabScreen}, {"WM_PRINTCLIENT", RenderBox}};

// Dispatches what is pending for this thread, as the program's loop would.
void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Sample {
  double ms;
  Rgb colour;
};

// The colour of one pixel of the box on the screen, read every millisecond
// or so for ms milliseconds while this thread's messages are handled.
std::vector<Sample> WatchPixel(HWND box, int x, int y, double ms) {
  std::vector<Sample> samples;
  WindowDC dc(box);
  const double start = NowMs();
  for (double now = start; now - start < ms; now = NowMs()) {
    DispatchPending();
    const COLORREF c = GetPixel(dc.get(), x, y);
    samples.push_back(Sample{now - start, Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}});
    Sleep(1);
  }
  return samples;
}

// ---- The box ---------------------------------------------------------------

class GifPlayerTest : public PreviewBoxTest {
 protected:
  // Shows a GIF and paints the box once, which starts an animation's worker.
  void ShowAndPaint(const std::string& name) {
    ShowFile(name);
    UpdateWindow(box_);
  }
  // The threads that came since before, waiting up to a second for at
  // least one to appear.
  std::set<DWORD> NewThreads(const std::set<DWORD>& before) {
    std::set<DWORD> added;
    for (int i = 0; i < 100 && (added = Without(ThreadIds(), before)).empty(); ++i) Pump(window_, 10);
    return added;
  }
};

// ---- Timing ------------------------------------------------------------------

// 20x20 at its natural size in the middle of the 54 x 46 area.
constexpr int kFrameLeft = 17, kFrameTop = 13;

TEST_F(GifPlayerTest, FramesLastTheirDelaysInAnEndlessLoop) {
  ShowAndPaint("gif/three_frames.gif");
  const std::vector<Sample> samples = WatchPixel(box_, kFrameLeft + 10, kFrameTop + 10, 2700);

  // The colour runs between two changes, each a whole frame.
  const Rgb colours[] = {kRed, kGreen, kBlue};
  const double expectedMs[] = {200, 200, 50};
  auto frameOf = [&](Rgb c) {
    for (int i = 0; i < 3; ++i) {
      if (c == colours[i]) return i;
    }
    return -1;
  };
  std::vector<double> changes;
  std::vector<int> frames;  // shown from each change on
  double longestGap = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    longestGap = std::max(longestGap, samples[i].ms - samples[i - 1].ms);
    if (samples[i].colour == samples[i - 1].colour) continue;
    const int frame = frameOf(samples[i].colour);
    ASSERT_NE(frame, -1) << "at " << samples[i].ms << " ms the box shows " << Describe(samples[i].colour);
    if (!frames.empty()) {
      EXPECT_EQ(frame, (frames.back() + 1) % 3) << "out of order at " << samples[i].ms << " ms";
    }
    changes.push_back(samples[i].ms);
    frames.push_back(frame);
  }
  ASSERT_FALSE(frames.empty()) << "the box never showed a frame";
  EXPECT_EQ(frames.front(), 0) << "the first frame shown";

  double total[3] = {}, shortest[3] = {1e9, 1e9, 1e9}, longest[3] = {};
  int count[3] = {};
  for (size_t i = 0; i + 1 < changes.size(); ++i) {
    const double ms = changes[i + 1] - changes[i];
    const int f = frames[i];
    total[f] += ms;
    count[f] += 1;
    shortest[f] = std::min(shortest[f], ms);
    longest[f] = std::max(longest[f], ms);
  }
  std::printf("sampled every %.1f ms at most\n", longestGap);
  for (int f = 0; f < 3; ++f) {
    SCOPED_TRACE("frame " + std::to_string(f));
    // 2.7 s is about six loops: far beyond the file's loop count.
    ASSERT_GE(count[f], 4);
    const double average = total[f] / count[f];
    std::printf("frame %d (%s): %d times, average %.1f ms, %.1f to %.1f ms; expected %.0f ms\n", f,
                Describe(colours[f]).c_str(), count[f], average, shortest[f], longest[f], expectedMs[f]);
    EXPECT_NEAR(average, expectedMs[f], 40);
  }
}

// ---- Still pictures and animations of one image -------------------------------

struct OneImageCase {
  const char* file;
  bool animated;
};

TEST_F(GifPlayerTest, OneImageIsStillUnlessMoreThanTheTrailerFollowsIt) {
  const OneImageCase cases[] = {{"gif/still.gif", false}, {"gif/still_then_comment.gif", true}};
  // 12 x 10 at (21, 18): left half red, right half blue.
  const std::vector<Region> image = {{{21, 18, 27, 28}, kRed}, {{27, 18, 33, 28}, kBlue}};
  for (const OneImageCase& c : cases) {
    SCOPED_TRACE(c.file);
    const std::set<DWORD> before = ThreadIds();
    ShowAndPaint(c.file);
    Pump(window_, 150);
    EXPECT_EQ(Without(ThreadIds(), before).size(), c.animated ? 1u : 0u) << "worker threads";
    for (const Source& source : kSources) {
      SCOPED_TRACE(source.name);
      EXPECT_EQ(CompareRegions(source.read(box_), image), "");
    }
    if (!c.animated) continue;
    // The worker shows the same image again and again: what covers it on
    // the screen is gone with the next frame, without a paint.
    {
      WindowDC dc(box_);
      PatBlt(dc.get(), 21, 18, 12, 10, BLACKNESS);
    }
    Pump(window_, 150);
    EXPECT_EQ(CompareRegions(GrabScreen(box_), image), "") << "drawn again by the worker";
  }
}

// The still picture is the logical screen with its image at its place; the
// part of the screen no image covers is white.
TEST_F(GifPlayerTest, StillImageLiesAtItsPlaceOnTheScreen) {
  ShowAndPaint("gif/still_offset.gif");
  // 30 x 20 screen centred at (12, 13); the 10 x 10 image at (15, 5) of it.
  const std::vector<Region> expected = {{{27, 18, 37, 28}, kRed}, {{12, 13, 42, 33}, kWhite}};
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    EXPECT_EQ(CompareRegions(source.read(box_), expected), "");
  }
}

TEST_F(GifPlayerTest, TransparentPartsOfTheFirstImageShowWhite) {
  const double start = NowMs();
  ShowAndPaint("gif/transparent_first.gif");
  Pump(window_, 150);
  // Left half transparent (its index stands for black), right half red.
  const std::vector<Region> expected = {{{17, 13, 27, 33}, kWhite}, {{27, 13, 37, 33}, kRed}};
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    EXPECT_EQ(CompareRegions(source.read(box_), expected), "");
  }
  ASSERT_LT(NowMs() - start, 900) << "read after the first frame's second was over";
}

TEST_F(GifPlayerTest, LargeAnimationIsShrunkToFit) {
  ShowAndPaint("gif/big_100x100.gif");
  // Black and navy frames, 100 ms each: read twice so both may be seen.
  auto blackOrNavy = [](Rgb c) { return c == Rgb{0, 0, 0} || c == Rgb{0, 0, 128}; };
  for (int i = 0; i < 2; ++i) {
    Pump(window_, 100);
    for (const Source& source : kSources) {
      SCOPED_TRACE(source.name);
      EXPECT_EQ(CompareFilledRect(source.read(box_), RECT{4, 0, 4 + 46, 46}, blackOrNavy, "black or navy"), "");
    }
  }
}

// ---- No picture --------------------------------------------------------------

TEST_F(GifPlayerTest, GifsThatCannotBeShownClearTheBox) {
  const Bytes still = Fixture("gif/still.gif");
  ASSERT_FALSE(still.empty());
  Bytes hugeScreen = still;
  hugeScreen[6] = hugeScreen[7] = hugeScreen[8] = hugeScreen[9] = 0xFF;  // 65535 x 65535
  struct Case {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"13 bytes", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0}},
      {"colour table reaching the end",
       {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0,
        0x80,  // a global table of 2 colours, 6 bytes
        0, 0,  // background index, aspect
        1, 2, 3, 4, 5, 6}},  // the table, and nothing after it
      {"screen too large for a canvas", hugeScreen},
  };
  const std::set<DWORD> before = ThreadIds();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowAndPaint("bmp24_13x9.bmp");
    Show(c.bytes);
    EXPECT_EQ(CompareBackgroundOnly(RenderBox(box_)), "");
    EXPECT_EQ(CompareBackgroundOnly(GrabPaintedBox(box_)), "");
  }
  EXPECT_EQ(Without(ThreadIds(), before).size(), 0u);
}

// ---- Stopping ----------------------------------------------------------------

TEST_F(GifPlayerTest, AnotherPictureStopsTheWorkerBeforeItShows) {
  const Bytes bmp = Fixture("bmp24_13x9.bmp");
  ASSERT_FALSE(bmp.empty());
  struct Case {
    const char* name;
    Bytes bytes;
    std::function<std::string(const Canvas&)> shows;
  } cases[] = {
      {"BMP", bmp, [](const Canvas& c) { return CompareWithReference(c, "bmp24_13x9.rgba", 13, 9, 20, 18, 0); }},
      {"no bytes", {}, CompareBackgroundOnly},
      {"another GIF, still", Fixture("gif/still.gif"),
       [](const Canvas& c) { return CompareRegions(c, {{{21, 18, 27, 28}, kRed}, {{27, 18, 33, 28}, kBlue}}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::set<DWORD> before = ThreadIds();
    ShowAndPaint("gif/three_frames.gif");
    const std::set<DWORD> worker = NewThreads(before);
    ASSERT_EQ(worker.size(), 1u);
    Pump(window_, 50);
    Show(c.bytes);
    const std::set<DWORD> after = ThreadIds();
    EXPECT_TRUE(Without(worker, after) == worker) << "the worker still exists after SetPicture returned";
    // Nothing holds on to the finished thread either: its handle is closed.
    HANDLE leftOver = OpenThread(SYNCHRONIZE, FALSE, *worker.begin());
    EXPECT_EQ(leftOver, nullptr);
    if (leftOver) CloseHandle(leftOver);
    EXPECT_TRUE(Without(after, before).empty());
    UpdateWindow(box_);
    // Longer than any frame of the animation: a late frame would show.
    for (int i = 0; i < 15; ++i) {
      EXPECT_EQ(c.shows(GrabScreen(box_)), "") << "after " << i * 20 << " ms";
      Pump(window_, 20);
    }
  }
}

TEST_F(GifPlayerTest, ClosingTheWindowStopsTheWorker) {
  const std::set<DWORD> before = ThreadIds();
  ShowAndPaint("gif/three_frames.gif");
  ASSERT_EQ(NewThreads(before).size(), 1u);
  Pump(window_, 100);
  DestroyWindow(window_);
  EXPECT_TRUE(Without(ThreadIds(), before).empty());
}

// Picture after picture while animations play, with paints between them so
// that workers start, some at once stopped and some in the middle of a frame,
// and paints of the GUI thread meeting the worker on the canvas.
TEST_F(GifPlayerTest, ManyPictureChangesLeaveNoThreadOrObjectBehind) {
  const Bytes pictures[] = {Fixture("gif/three_frames.gif"), Fixture("bmp24_13x9.bmp"), {},
                            Fixture("gif/still_then_comment.gif")};
  ASSERT_FALSE(pictures[0].empty());
  ASSERT_FALSE(pictures[1].empty());
  ASSERT_FALSE(pictures[3].empty());
  auto change = [&](int i) {
    Show(pictures[i % 4]);
    UpdateWindow(box_);
    if (i % 2 != 0) return;  // not an animation
    Sleep(DWORD(i % 7));
    if (i % 3 == 0) RenderBox(box_);
    if (i % 50 == 0) Pump(window_, 60);
    DispatchPending();
  };
  // The first round lets the system make what it keeps for good.
  for (int i = 0; i < 100; ++i) change(i);
  Show({});
  Pump(window_, 50);
  const std::set<DWORD> threads = ThreadIds();
  const int gdi = GdiObjectCount();
  ASSERT_GT(gdi, 0);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);  // 0 on Wine
  const int handles = KernelHandleCount();
  ASSERT_GT(handles, 0);

  const double start = NowMs();
  for (int i = 0; i < 1000; ++i) change(i);
  Show({});
  Pump(window_, 50);
  std::printf("1000 picture changes in %.0f ms\n", NowMs() - start);

  EXPECT_TRUE(ThreadIds() == threads);
  // Wine keeps the DCs of GetDC and BeginPaint in a cache that grows (up to
  // 64) to the most that were ever out at once; the worker's and a paint's
  // may meet. A cached DC is 3 objects (DC, region, bitmap). A leak would
  // show hundreds.
  const int gdiAfter = GdiObjectCount();
  std::printf("GDI objects %d -> %d\n", gdi, gdiAfter);
  EXPECT_LE(gdiAfter, gdi + 2 * 3);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
  EXPECT_EQ(KernelHandleCount(), handles);
  EXPECT_EQ(CompareBackgroundOnly(GrabPaintedBox(box_)), "");
}

}  // namespace
