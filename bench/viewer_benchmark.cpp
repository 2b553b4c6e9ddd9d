// Reading back what the module shows: each pixel decoder against its encoder on a
// 1024 x 600 picture, and `extract` of the demo image and of a 16 MB NAND image of 8000
// pictures against writing the same PNG files with libspng alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <spng.h>

#include "builder/build_test_folder.h"
#include "builder/flash_image.h"
#include "builder/make_bin.h"
#include "make_pictures_lib.h"
#include "picture/pixel_decoders.h"
#include "picture/pixel_encoders.h"
#include "temp_folder.h"
#include "viewer/extract.h"
#include "viewer/image_contents.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 600;

picture::WorkingBitmap PhotoBitmap() {
  return picture::WorkingBitmap(kWidth, kHeight, tools::PhotoLike(kWidth, kHeight, 7));
}

std::vector<std::uint8_t> Encoded(picture::PixelForm form) {
  const picture::WorkingBitmap bitmap = PhotoBitmap();
  if (form == picture::PixelForm::Argb4) {
    const picture::ArgbPicture argb{bitmap,
                                    std::vector<std::uint8_t>(std::size_t(kWidth) * kHeight, 200)};
    return picture::EncodeArgb(argb, {});
  }
  return picture::EncodePicture(bitmap, form, {});
}

void Rates(benchmark::State& state, std::size_t output_bytes) {
  state.SetBytesProcessed(state.iterations() * std::int64_t(output_bytes));
  state.counters["MPixel/s"] = benchmark::Counter(
      double(kWidth) * kHeight * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

// Encoding, for the comparison in the same run: bytes/s counts the encoded output.
void Encode(benchmark::State& state, picture::PixelForm form) {
  const picture::WorkingBitmap bitmap = PhotoBitmap();
  const picture::ArgbPicture argb{bitmap,
                                  std::vector<std::uint8_t>(std::size_t(kWidth) * kHeight, 200)};
  std::size_t size = 0;
  for (auto _ : state) {
    auto bytes = form == picture::PixelForm::Argb4 ? picture::EncodeArgb(argb, {})
                                                   : picture::EncodePicture(bitmap, form, {});
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  Rates(state, size);
}

// Decoding: bytes/s counts the RGBA output.
void Decode(benchmark::State& state, picture::PixelForm form) {
  const std::vector<std::uint8_t> bytes = Encoded(form);
  std::size_t size = 0;
  for (auto _ : state) {
    auto picture = picture::DecodePicture(bytes, form, kWidth, kHeight, {});
    size = picture->rgba.size();
    benchmark::DoNotOptimize(picture->rgba.data());
  }
  Rates(state, size);
}

// A NAND flash image of 8000 photo-like 32 x 32 R5G6B5 pictures (16 MB), built once.
struct NandImage {
  builder::testing::BinFolder bins;
  tools::TempFolder out;
  std::string path;
  NandImage() {
    constexpr int kPictures = 8000, kSide = 32;
    std::vector<std::uint8_t> resource;
    std::vector<std::string> lines;
    picture::EncodeSettings settings;
    settings.nand = true;
    for (int i = 0; i < kPictures; ++i) {
      const picture::WorkingBitmap bitmap(kSide, kSide, tools::PhotoLike(kSide, kSide, i));
      const auto bytes = picture::EncodePicture(bitmap, picture::PixelForm::R5G6B5, settings);
      lines.push_back(builder::testing::EntryText(kSide, kSide, unsigned(resource.size()),
                                                  unsigned(bytes.size()), "p.png"));
      resource.insert(resource.end(), bytes.begin(), bytes.end());
    }
    bins.Write("Picture-many.bin", resource);
    bins.WriteAddressList("Picture-many-Addr.txt", lines);
    builder::ResourceSet resources{{"Picture-many.bin"}, bins.Folder(), builder::kNandHeaderSize};
    auto build = builder::PrepareBuild(resources, builder::testing::ProjectLines(), {},
                                       [](const platform::Message&) {});
    path = out.File("many.bin");
    if (!build || !builder::WriteFlashImage(path, *build).ok())
      path.clear();
  }
};

const std::string& ImagePath(bool demo) {
  static const std::string demo_path =
      std::string(DRAVICK_SOURCE_DIR) + "/examples/demo/out/Dravick_Flash.bin";
  if (demo)
    return demo_path;
  static NandImage nand;
  return nand.path;
}

// What extract writes as PNG, decoded beforehand: the work left to libspng alone.
struct Raw {
  std::string name;
  int width = 0, height = 0;
  bool alpha = false;
  std::vector<std::uint8_t> samples;  // RGB or RGBA
};

std::vector<Raw> RawPictures(const viewer::ImageContents& contents) {
  std::vector<Raw> raws;
  for (const viewer::Entry& entry : contents.entries) {
    if (!entry.Good() || !entry.note.empty() || entry.kind == viewer::EntryKind::Sound)
      continue;
    picture::DecodedPicture picture;
    if (entry.kind == viewer::EntryKind::Picture)
      picture = *viewer::DecodePictureEntry(contents, entry);
    else if (entry.kind == viewer::EntryKind::Font)
      picture = viewer::DecodeFontEntry(contents, entry)->picture;
    else
      picture = *viewer::DecodeCursorEntry(contents, entry);
    Raw raw{
        entry.output,
        picture.width,
        picture.height,
        entry.pixel_form == picture::PixelForm::Argb4 && entry.kind == viewer::EntryKind::Picture,
        {}};
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
      raw.samples.insert(raw.samples.end(), picture.rgba.begin() + std::ptrdiff_t(i),
                         picture.rgba.begin() + std::ptrdiff_t(i + (raw.alpha ? 4 : 3)));
    }
    raws.push_back(std::move(raw));
  }
  return raws;
}

bool WritePngAlone(const Raw& raw, const std::string& path) {
  spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr header{};
  header.width = std::uint32_t(raw.width);
  header.height = std::uint32_t(raw.height);
  header.bit_depth = 8;
  header.color_type = raw.alpha ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
  spng_set_ihdr(context, &header);
  bool ok = spng_encode_image(context, raw.samples.data(), raw.samples.size(), SPNG_FMT_PNG,
                              SPNG_ENCODE_FINALIZE) == 0;
  std::size_t length = 0;
  int error = 0;
  void* png = ok ? spng_get_png_buffer(context, &length, &error) : nullptr;
  spng_ctx_free(context);
  if (png == nullptr)
    return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ok = file != nullptr && std::fwrite(png, 1, length, file) == length;
  if (file != nullptr)
    ok = std::fclose(file) == 0 && ok;
  std::free(png);
  return ok;
}

void SpngAlone(benchmark::State& state, bool demo) {
  auto contents = viewer::ReadImageContents(ImagePath(demo));
  if (!contents) {
    state.SkipWithError(("no image: " + contents.error().text).c_str());
    return;
  }
  const std::vector<Raw> raws = RawPictures(*contents);
  tools::TempFolder out;
  for (auto _ : state) {
    for (const Raw& raw : raws)
      benchmark::DoNotOptimize(WritePngAlone(raw, out.File(raw.name)));
  }
  state.counters["PNGs"] = double(raws.size());
}

void Extract(benchmark::State& state, bool demo) {
  if (!viewer::ReadImageContents(ImagePath(demo)).ok()) {
    state.SkipWithError("no image (run scripts/demo.sh for the demo image)");
    return;
  }
  tools::TempFolder out;
  std::size_t errors = 0;
  for (auto _ : state) {
    auto contents = viewer::ReadImageContents(ImagePath(demo));
    errors = viewer::ExtractAll(*contents, out.File("x")).errors.size();
  }
  state.counters["errors"] = double(errors);
}

}  // namespace

BENCHMARK_CAPTURE(Encode, R5G6B5, picture::PixelForm::R5G6B5);
BENCHMARK_CAPTURE(Decode, R5G6B5, picture::PixelForm::R5G6B5);
BENCHMARK_CAPTURE(Encode, R8G8B8, picture::PixelForm::R8G8B8);
BENCHMARK_CAPTURE(Decode, R8G8B8, picture::PixelForm::R8G8B8);
BENCHMARK_CAPTURE(Encode, BlackWhite, picture::PixelForm::BlackWhite);
BENCHMARK_CAPTURE(Decode, BlackWhite, picture::PixelForm::BlackWhite);
BENCHMARK_CAPTURE(Encode, Argb4, picture::PixelForm::Argb4);
BENCHMARK_CAPTURE(Decode, Argb4, picture::PixelForm::Argb4);
BENCHMARK_CAPTURE(SpngAlone, DemoImage, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Extract, DemoImage, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(SpngAlone, Nand8000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Extract, Nand8000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

BENCHMARK_MAIN();
