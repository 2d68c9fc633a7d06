#include "picture_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

namespace picture_test {

namespace {

constexpr const char* kConvert = "/usr/bin/convert";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Runs a shell command, collecting stdout and stderr together.
int RunCommand(const std::string& command, std::string* output) {
  output->clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output->append(buffer, n);
  return pclose(pipe);
}

}  // namespace

std::string WorkDir() {
  std::string base = Env("TARNOVA_WORK_DIR");
  if (base.empty()) base = std::filesystem::temp_directory_path().string() + "/tarnova_test_work";
  const std::string dir = base + "/picture";
  std::filesystem::create_directories(dir);
  return dir;
}

std::string SeedDir() {
  return Env("TARNOVA_SOURCE_DIR") + "/tests/fuzz/picture/seeds";
}

bool ReadFileBytes(const std::string& path, Bytes* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool HaveConvert() {
  return access(kConvert, X_OK) == 0;
}

bool RunConvert(const std::string& arguments, std::string* error) {
  const std::string command = "cd '" + WorkDir() + "' && " + kConvert + " " + arguments;
  std::string output;
  if (RunCommand(command, &output) == 0) return true;
  *error = command + "\n" + output;
  return false;
}

bool DecodeWithImageMagick(const std::string& file, int* width, int* height, Bytes* rgb,
                           std::string* error) {
  // PPM carries the size with the pixels, so one run gives both.
  const std::string ppm = file + ".reference.ppm";
  if (!RunConvert("'" + file + "' -depth 8 ppm:'" + ppm + "'", error)) return false;
  Bytes bytes;
  if (!ReadFileBytes(WorkDir() + "/" + ppm, &bytes)) {
    *error = "cannot read " + ppm;
    return false;
  }
  std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
  std::istringstream in(head);
  std::string magic;
  int max_value = 0;
  in >> magic >> *width >> *height >> max_value;
  if (!in || magic != "P6" || max_value != 255) {
    *error = "unexpected PPM header in " + ppm;
    return false;
  }
  // One whitespace byte follows the maximum value.
  const size_t offset = static_cast<size_t>(in.tellg()) + 1;
  const size_t count = static_cast<size_t>(*width) * static_cast<size_t>(*height) * 3;
  if (bytes.size() < offset || bytes.size() - offset != count) {
    *error = "PPM " + ppm + " has the wrong size";
    return false;
  }
  rgb->assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.end());
  return true;
}

Bytes ToRgb(const picture::Picture& picture) {
  const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
  Bytes rgb(count * 3);
  for (size_t i = 0; i < count; ++i) {
    uint8_t* dst = &rgb[i * 3];
    switch (picture.format) {
      case picture::PixelFormat::kBgr24:
        dst[0] = picture.pixels[i * 3 + 2];
        dst[1] = picture.pixels[i * 3 + 1];
        dst[2] = picture.pixels[i * 3];
        break;
      case picture::PixelFormat::kIndexed8: {
        const size_t index = picture.pixels[i];
        dst[0] = picture.palette[index * 3];
        dst[1] = picture.palette[index * 3 + 1];
        dst[2] = picture.palette[index * 3 + 2];
        break;
      }
      case picture::PixelFormat::kMono:
        dst[0] = dst[1] = dst[2] = picture.pixels[i] ? 255 : 0;
        break;
    }
  }
  return rgb;
}

std::string CompareRgb(const Bytes& expected, const Bytes& actual, int width, int tolerance) {
  if (expected.size() != actual.size()) {
    return "sizes differ: expected " + std::to_string(expected.size()) + " bytes, got " +
           std::to_string(actual.size());
  }
  int largest = 0;
  std::string first;
  for (size_t i = 0; i < expected.size(); ++i) {
    const int difference = std::abs(int{expected[i]} - int{actual[i]});
    if (difference > largest) largest = difference;
    if (difference > tolerance && first.empty()) {
      const size_t pixel = i / 3;
      first = "pixel (" + std::to_string(pixel % width) + ", " + std::to_string(pixel / width) +
              ") channel " + std::to_string(i % 3) + ": expected " + std::to_string(expected[i]) +
              ", got " + std::to_string(actual[i]);
    }
  }
  if (first.empty()) return "";
  return first + "; largest difference " + std::to_string(largest);
}

}  // namespace picture_test
