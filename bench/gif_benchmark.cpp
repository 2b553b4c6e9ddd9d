// GIF conversion against a floor: giflib's own whole-file decoder over the same bytes.
// On top of it the converter keeps each frame's indexes inside the screen, draws the
// frames one over another, and (in the whole run) rotates, encodes and stores them.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "picture/gif_frames.h"
#include "picture/gif_run.h"
#include "platform/gif_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, int value) {
  out.push_back(std::uint8_t(value & 0xFF));
  out.push_back(std::uint8_t(value >> 8));
}

// A GIF the size of a 480 x 272 panel: `frames` full-screen frames of a shifting
// 128-colour pattern, every other one with transparent pixels. The image data uses
// 8-bit codes with a clear code before every 126 pixels (valid LZW, uncompressed).
Bytes PanelGif(int frames) {
  constexpr int kWidth = 480, kHeight = 272;
  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, kWidth);
  Put16(out, kHeight);
  out.insert(out.end(), {0xF6, 0, 0});  // global table of 128 colours
  for (int i = 0; i < 128; ++i)
    out.insert(out.end(), {std::uint8_t(i * 2), std::uint8_t(255 - i), std::uint8_t(i * 7)});
  for (int f = 0; f < frames; ++f) {
    if (f % 2 == 1)
      out.insert(out.end(), {0x21, 0xF9, 4, 0x01, 0, 0, 0, 0});  // index 0 transparent
    out.push_back(0x2C);
    for (int value : {0, 0, kWidth, kHeight})
      Put16(out, value);
    out.push_back(0);
    Bytes codes;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      if (i % 126 == 0)
        codes.push_back(0x80);
      codes.push_back(std::uint8_t((i / 7 + f * 3) % 128));
    }
    codes.push_back(0x81);
    out.push_back(7);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
      const std::size_t count = std::min<std::size_t>(255, codes.size() - at);
      out.push_back(std::uint8_t(count));
      out.insert(out.end(), codes.begin() + std::ptrdiff_t(at),
                 codes.begin() + std::ptrdiff_t(at + count));
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

struct Memory {
  const Bytes* bytes;
  std::size_t at = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* memory = static_cast<Memory*>(gif->UserData);
  const std::size_t count =
      std::min<std::size_t>(std::size_t(wanted), memory->bytes->size() - memory->at);
  std::memcpy(buffer, memory->bytes->data() + memory->at, count);
  memory->at += count;
  return int(count);
}

void BM_GiflibSlurpFloor(benchmark::State& state) {
  const Bytes gif = PanelGif(int(state.range(0)));
  for (auto _ : state) {
    Memory memory{&gif};
    int error = 0;
    GifFileType* file = DGifOpen(&memory, ReadMemory, &error);
    if (!file || DGifSlurp(file) == GIF_ERROR) {
      state.SkipWithError("giflib could not read the GIF");
      break;
    }
    benchmark::DoNotOptimize(file->SavedImages);
    DGifCloseFile(file, &error);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DecodeGif(benchmark::State& state) {
  const Bytes gif = PanelGif(int(state.range(0)));
  for (auto _ : state) {
    auto decoded = platform::DecodeGif(gif);
    benchmark::DoNotOptimize(decoded);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DecodeAndDrawFrames(benchmark::State& state) {
  const Bytes gif = PanelGif(int(state.range(0)));
  picture::WorkingBitmap canvas;
  for (auto _ : state) {
    auto decoded = platform::DecodeGif(gif);
    picture::ClearCanvas(*decoded, canvas);
    for (const platform::GifFrame& frame : decoded->frames)
      picture::DrawGifFrame(frame, canvas);
    benchmark::DoNotOptimize(canvas.Samples().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole command-line run: decode, draw, rotate, encode R5G6B5, store, address list.
void BM_ConvertGifRun(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "dravick-gif-benchmark";
  std::filesystem::create_directories(folder);
  const std::string input = (folder / "panel.gif").string();
  const Bytes gif = PanelGif(int(state.range(0)));
  std::ofstream(input, std::ios::binary)
      .write(reinterpret_cast<const char*>(gif.data()), std::streamsize(gif.size()));
  picture::GifSettings settings;
  settings.rotation_index = int(state.range(1));
  for (auto _ : state) {
    auto report = picture::ConvertGifs({input}, (folder / "out.bin").string(), settings,
                                       platform::CodePage::Gbk936);
    if (report.stopped) {
      state.SkipWithError("the run stopped");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_GiflibSlurpFloor)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeGif)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeAndDrawFrames)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertGifRun)->Args({20, 0})->Args({20, 1})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
