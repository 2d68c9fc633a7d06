#include "preview_pixels.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/ui_driver.h"
#include "ui/control_table.h"
#include "ui/gdi_handles.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace {

// Never painted by the box: magenta marks pixels it left alone.
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

// A 32-bit top-down DIB section of the box's client size, selected into a
// memory DC.
class PixelSurface {
 public:
  PixelSurface(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selected_ = SelectObject(dc_.get(), bitmap_.get());
    GdiObject<HBRUSH> fill(CreateSolidBrush(kUnpainted));
    RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, fill.get());
  }
  ~PixelSurface() { SelectObject(dc_.get(), selected_); }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  HDC dc() const { return dc_.get(); }

  Canvas Read() const {
    GdiFlush();
    Canvas canvas;
    canvas.width = width_;
    canvas.height = height_;
    const auto* quads = static_cast<const RGBQUAD*>(bits_);
    for (int i = 0; i < width_ * height_; ++i) {
      canvas.pixels.push_back(Rgb{quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue});
    }
    return canvas;
  }

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ selected_ = nullptr;
};

RECT ClientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

std::string Mismatch(int x, int y, Rgb expected, Rgb actual) {
  char text[128];
  std::snprintf(text, sizeof text, "pixel (%d, %d): expected %s, got %s", x, y, Describe(expected).c_str(),
                Describe(actual).c_str());
  return text;
}

}  // namespace

std::string Describe(Rgb c) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
  return text;
}

Canvas RenderBox(HWND box) {
  const RECT client = ClientOf(box);
  PixelSurface surface(client.right, client.bottom);
  SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  return surface.Read();
}

Canvas GrabPaintedBox(HWND box) {
  UpdateWindow(box);
  const RECT client = ClientOf(box);
  PixelSurface surface(client.right, client.bottom);
  WindowDC screen(box);
  BitBlt(surface.dc(), 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
  return surface.Read();
}

Rgb Background() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return Rgb{GetRValue(face), GetGValue(face), GetBValue(face)};
}

std::string FixturePath(const std::string& name) {
  // The tests get the source folder as a Unix path; Wine's drive Z: is /.
  const char* source = std::getenv("TARNOVA_SOURCE_DIR");
  std::string path = std::string("Z:") + (source ? source : "") + "/tests/wine/fixtures/" + name;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Fixture(const std::string& name) { return ReadBytes(FixturePath(name)); }

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string CompareWithReference(const Canvas& canvas, const std::string& reference, int width, int height, int x,
                                 int y, int tolerance) {
  const Bytes rgba = Fixture(reference);
  if (rgba.size() != size_t(width) * size_t(height) * 4) return "reference " + reference + " missing or of another size";
  const Rgb background = Background();
  const RECT placed{x, y, x + width, y + height};
  std::string first;
  int count = 0;
  for (int py = 0; py < canvas.height; ++py) {
    for (int px = 0; px < canvas.width; ++px) {
      Rgb expected = background;
      int allowed = 0;
      if (Inside(placed, px, py)) {
        const uint8_t* p = &rgba[(size_t(py - y) * size_t(width) + size_t(px - x)) * 4];
        const int a = p[3];
        auto over = [&](int c, int bg) { return uint8_t((c * a + bg * (255 - a) + 127) / 255); };
        expected = Rgb{over(p[0], background.r), over(p[1], background.g), over(p[2], background.b)};
        // Partly transparent pixels blend; allow for the rounding of it.
        allowed = tolerance + (a != 0 && a != 255 ? 2 : 0);
      }
      const Rgb actual = canvas.at(px, py);
      if (Near(actual, expected, allowed)) continue;
      if (count++ == 0) first = Mismatch(px, py, expected, actual);
    }
  }
  if (count == 0) return "";
  return first + "; " + std::to_string(count) + " pixel(s) differ";
}

std::string CompareFilledRect(const Canvas& canvas, const RECT& rect, const std::function<bool(Rgb)>& inside,
                              const char* insideName) {
  const Rgb background = Background();
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const Rgb actual = canvas.at(x, y);
      if (Inside(rect, x, y)) {
        if (!inside(actual)) {
          return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") inside: expected " + insideName +
                 ", got " + Describe(actual);
        }
      } else if (!(actual == background)) {
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside: expected the background " +
               Describe(background) + ", got " + Describe(actual);
      }
    }
  }
  return "";
}

std::string CompareBackgroundOnly(const Canvas& canvas) {
  return CompareFilledRect(canvas, RECT{0, 0, 0, 0}, [](Rgb) { return true; }, "");
}

void PreviewBoxTest::SetUp() {
  MainWindow* w = CreateMainWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(w, nullptr);
  window_ = WindowOf(w);
  box_ = ControlOf(window_, k图片框1);
  ASSERT_NE(box_, nullptr);
  ASSERT_TRUE(BringToFront(window_));
  Pump(window_, 50);
}

void PreviewBoxTest::TearDown() {
  if (IsWindow(window_)) DestroyWindow(window_);
  Pump(nullptr, 20);
}

void PreviewBoxTest::Show(const Bytes& bytes) { SetPicture(box_, bytes.data(), bytes.size()); }

void PreviewBoxTest::ShowFile(const std::string& name) {
  const Bytes bytes = Fixture(name);
  ASSERT_FALSE(bytes.empty()) << "fixture " << name;
  Show(bytes);
}
