// Time to decode a 640 x 480 picture from memory, per kind. The pictures
// are written by ImageMagick at start (a photograph scaled up, so JPEG and
// run-length coding see realistic data).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/recognize.h"
#include "picture/still_picture.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
  const char* name;
  const char* options;  // ImageMagick options before the output file
  const char* format;   // output format prefix
  const char* extension;
  Bytes bytes;
};

Sample g_samples[] = {
    {"BMP 24-bit", "-type TrueColor", "BMP3:", ".bmp", {}},
    {"BMP 8-bit", "-colors 256 -type Palette -compress None", "BMP3:", ".bmp", {}},
    {"JPEG quality 85", "-quality 85", "JPEG:", ".jpg", {}},
    {"JPEG progressive", "-quality 85 -interlace JPEG", "JPEG:", ".jpg", {}},
    {"PCX 8-bit", "-colors 256 -type Palette", "PCX:", ".pcx", {}},
};

bool MakeSamples() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnova_picture_bench";
  std::filesystem::create_directories(dir);
  int index = 0;
  for (Sample& sample : g_samples) {
    const std::string path = (dir / ("sample" + std::to_string(index++) + sample.extension)).string();
    const std::string command = std::string("/usr/bin/convert rose: -resize 640x480! ") + sample.options + " " +
                                sample.format + "'" + path + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "failed: %s\n", command.c_str());
      return false;
    }
    std::ifstream in(path, std::ios::binary);
    sample.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (sample.bytes.empty()) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

void Decode(benchmark::State& state, const Sample* sample) {
  const picture::PictureKind kind = picture::RecognizePicture(sample->bytes.data(), sample->bytes.size());
  picture::Picture decoded;
  for (auto _ : state) {
    if (!picture::DecodeStillPicture(kind, sample->bytes.data(), sample->bytes.size(), &decoded)) {
      state.SkipWithError("no picture");
      break;
    }
    benchmark::DoNotOptimize(decoded.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
  state.SetLabel(std::to_string(sample->bytes.size()) + " bytes");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!MakeSamples()) return 1;
  for (const Sample& sample : g_samples) {
    benchmark::RegisterBenchmark((std::string("Decode640x480/") + sample.name).c_str(), Decode, &sample)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
