// Figures for the GIF reader and compositor at the size of a large preview
// frame: decoding one 640 x 480 image, and one composition step (decode and
// draw onto the canvas). The GIFs are written by ImageMagick at start-up.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gif/gif_compositor.h"
#include "gif/gif_reader.h"

namespace {

// A 640 x 480 plasma of 256 colours (hard for LZW, like a photo), written by
// convert with extra arguments; empty when convert is missing or fails.
std::vector<uint8_t> MakeGif(const std::string& name, const std::string& arguments) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnova_gif_bench";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / name).string();
  const std::string command = "convert -seed 1 -size 640x480 plasma:fractal " + arguments + " " + path + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void DecodeFrame(benchmark::State& state, const std::vector<uint8_t>& gif) {
  gif::GifReader reader;
  if (gif.empty() || !gif::OpenGif(gif.data(), gif.size(), &reader)) {
    state.SkipWithError("no GIF: is ImageMagick's convert installed?");
    return;
  }
  gif::GifImage image;
  for (auto _ : state) {
    reader.position = 0;
    benchmark::DoNotOptimize(gif::ReadNextImage(reader, &image));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(image.pixels.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(gif.size()));
  state.counters["gif_bytes"] = static_cast<double>(gif.size());
}

void BM_DecodeFrame640x480(benchmark::State& state) {
  static const std::vector<uint8_t> gif = MakeGif("plasma.gif", "-colors 256");
  DecodeFrame(state, gif);
}
BENCHMARK(BM_DecodeFrame640x480)->Unit(benchmark::kMillisecond);

void BM_DecodeInterlacedFrame640x480(benchmark::State& state) {
  static const std::vector<uint8_t> gif = MakeGif("plasma_interlaced.gif", "-colors 256 -interlace GIF");
  DecodeFrame(state, gif);
}
BENCHMARK(BM_DecodeInterlacedFrame640x480)->Unit(benchmark::kMillisecond);

// Two full-screen frames, the second with a transparent colour and disposal
// 3, so a step decodes, saves, restores and masks.
void BM_ComposeStep640x480(benchmark::State& state) {
  static const std::vector<uint8_t> gif = MakeGif(
      "plasma_anim.gif", "-colors 64 \\( +clone -flop -transparent \"#000000\" -fuzz 30% -transparent \"#808080\" \\) "
                         "-set dispose Previous");
  gif::GifReader reader;
  if (gif.empty() || !gif::OpenGif(gif.data(), gif.size(), &reader)) {
    state.SkipWithError("no GIF: is ImageMagick's convert installed?");
    return;
  }
  std::vector<uint8_t> bits(gif::CanvasByteCount(reader.header.screen_width, reader.header.screen_height));
  const gif::CanvasView canvas{bits.data(), reader.header.screen_width, reader.header.screen_height};
  gif::FillCanvasWhite(canvas);
  gif::Compositor compositor;
  gif::StartCompositor(&compositor);
  for (auto _ : state) {
    benchmark::DoNotOptimize(gif::ComposeNextFrame(reader, compositor, canvas));
  }
  state.SetItemsProcessed(state.iterations() * int64_t{640} * 480);
}
BENCHMARK(BM_ComposeStep640x480)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
