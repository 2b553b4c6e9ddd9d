// Picture conversion speed: each encoder on a 1024 x 600 bitmap, and a whole run over
// 50 PNG and 50 JPEG pictures against decoding the same files alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "make_pictures_lib.h"
#include "picture/conversion_run.h"
#include "picture/pixel_encoders.h"
#include "picture_writer.h"
#include "platform/file_io.h"
#include "platform/picture_decoders.h"
#include "temp_folder.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 600;

picture::WorkingBitmap PhotoBitmap() {
  return picture::WorkingBitmap(kWidth, kHeight, tools::PhotoLike(kWidth, kHeight, 7));
}

void Encode(benchmark::State& state, picture::PixelForm form,
            picture::Dither dither = picture::Dither::None) {
  const picture::WorkingBitmap bitmap = PhotoBitmap();
  picture::EncodeSettings settings;
  settings.dither = dither;
  for (auto _ : state) {
    auto bytes = picture::EncodePicture(bitmap, form, settings);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t(bitmap.Samples().size()));
  state.counters["MPixel/s"] = benchmark::Counter(
      double(kWidth) * kHeight * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void EncodeArgb(benchmark::State& state) {
  picture::ArgbPicture picture{PhotoBitmap(),
                               std::vector<std::uint8_t>(std::size_t(kWidth) * kHeight, 200)};
  for (auto _ : state) {
    auto bytes = picture::EncodeArgb(picture, {});
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t(picture.colours.Samples().size()));
  state.counters["MPixel/s"] = benchmark::Counter(
      double(kWidth) * kHeight * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

// 50 PNG and 50 JPEG photographs, made once for the whole run, or the pictures of
// the folder named by BENCH_PICTURES (as bench/picture_cli.sh makes them).
struct PictureSet {
  tools::TempFolder folder;
  std::vector<std::string> paths;
  PictureSet() {
    const char* given = std::getenv("BENCH_PICTURES");
    const std::string source = given != nullptr ? std::string(given) + "/" : folder.Path();
    if (given == nullptr)
      tools::MakeBenchPictures(folder.Path(), 50);
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
      paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
  }
};
PictureSet& Pictures() {
  static PictureSet set;
  return set;
}

void DecodeOnly(benchmark::State& state) {
  const auto& paths = Pictures().paths;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      const auto file = platform::ReadFileBytes(path);
      auto decoded =
          path.ends_with(".png") ? platform::DecodePng(*file) : platform::DecodeJpeg(*file);
      benchmark::DoNotOptimize(decoded.ok());
    }
  }
}

void WholeRun(benchmark::State& state) {
  const auto& paths = Pictures().paths;
  const std::string output = Pictures().folder.File("out.bin");
  for (auto _ : state) {
    auto report = picture::ConvertPictures(paths, output, {}, platform::CodePage::Gbk936);
    benchmark::DoNotOptimize(report.stopped);
  }
}

}  // namespace

BENCHMARK_CAPTURE(Encode, R5G6B5, picture::PixelForm::R5G6B5);
BENCHMARK_CAPTURE(Encode, R8G8B8, picture::PixelForm::R8G8B8);
BENCHMARK_CAPTURE(Encode, BlackWhite, picture::PixelForm::BlackWhite);
BENCHMARK_CAPTURE(Encode, R5G6B5Ordered, picture::PixelForm::R5G6B5, picture::Dither::Ordered);
BENCHMARK_CAPTURE(Encode, R5G6B5Diffusion, picture::PixelForm::R5G6B5, picture::Dither::Diffusion);
BENCHMARK_CAPTURE(Encode, BlackWhiteDiffusion, picture::PixelForm::BlackWhite,
                  picture::Dither::Diffusion);
BENCHMARK(EncodeArgb);
BENCHMARK(DecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(WholeRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
