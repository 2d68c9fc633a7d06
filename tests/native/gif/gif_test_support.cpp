#include "gif_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace gif_test {

Bytes PackCodes(std::initializer_list<Code> codes) { return PackCodes(std::vector<Code>(codes)); }

Bytes PackCodes(const std::vector<Code>& codes) {
  Bytes out;
  uint32_t bits = 0;
  int count = 0;
  for (const Code& c : codes) {
    bits |= static_cast<uint32_t>(c.value) << count;
    count += c.width;
    while (count >= 8) {
      out.push_back(static_cast<uint8_t>(bits & 0xFF));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) out.push_back(static_cast<uint8_t>(bits & 0xFF));
  return out;
}

Bytes SubBlocks(const Bytes& bytes) {
  Bytes out;
  for (size_t i = 0; i < bytes.size(); i += 255) {
    const size_t n = bytes.size() - i < 255 ? bytes.size() - i : 255;
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), bytes.begin() + i, bytes.begin() + i + n);
  }
  out.push_back(0);
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Canvas WhiteCanvas(int width, int height) {
  Canvas c;
  c.width = width;
  c.height = height;
  c.bits.resize(static_cast<size_t>(width) * height * 4);
  gif::FillCanvasWhite(c.View());
  return c;
}

std::string PixelHex(const Canvas& canvas, int x, int y) {
  const uint8_t* p = canvas.bits.data() + (static_cast<size_t>(y) * canvas.width + x) * 4;
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", p[2], p[1], p[0]);
  return text;
}

bool RunShell(const std::string& command) { return std::system(command.c_str()) == 0; }

bool HaveConvert() { return RunShell("convert -version >/dev/null 2>&1"); }

std::string WorkDir() {
  // ctest sets the folder; run by hand, the test works in the temp folder.
  const char* dir = std::getenv("TARNOVA_WORK_DIR");
  std::string path = dir != nullptr ? std::string(dir)
                                    : (std::filesystem::temp_directory_path() / "tarnova_gif_test").string();
  std::filesystem::create_directories(path);
  return path;
}

bool ReadFile(const std::string& path, Bytes* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace gif_test
