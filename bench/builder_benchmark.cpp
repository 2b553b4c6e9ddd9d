// The flash image builder: the table passes over a full NAND picture table, and the
// flash image write against a floor that only concatenates the same files.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "builder/build_test_folder.h"
#include "builder/flash_image.h"
#include "builder/image_inspect.h"
#include "builder/make_bin.h"

namespace {

using builder::testing::BinFolder;

constexpr int kPictureFiles = 40;
constexpr int kPicturesPerFile = 200;  // 8000 entries: nearly the whole NAND header
constexpr std::size_t kPictureBytes = 0x800;

// Picture resources with their address lists; every file's size matches its entries.
std::vector<std::string> WritePictureResources(const BinFolder& folder) {
  std::vector<std::string> names;
  for (int file = 0; file < kPictureFiles; ++file) {
    const std::string stem = "Picture-" + std::to_string(100 + file);
    std::vector<std::string> lines;
    for (int i = 0; i < kPicturesPerFile; ++i)
      lines.push_back(builder::testing::EntryText(32, 32, static_cast<unsigned>(i * kPictureBytes),
                                                  kPictureBytes, "p" + std::to_string(i) + ".png"));
    folder.WriteAddressList(stem + "-Addr.txt", lines);
    folder.WriteResource(stem + ".bin", kPicturesPerFile * kPictureBytes);
    names.push_back(stem + ".bin");
  }
  return names;
}

builder::PreparedBuild Prepare(const BinFolder& folder, const std::vector<std::string>& names) {
  builder::ResourceSet resources{names, folder.Folder(), builder::kNandHeaderSize};
  auto build = builder::PrepareBuild(resources, builder::testing::ProjectLines({"82h:1,2,3"}),
                                     {2025, 3, 3, 14, 5, 9}, [](const platform::Message&) {});
  return std::move(*build);
}

void BM_PrepareBuild(benchmark::State& state) {
  BinFolder folder;
  const std::vector<std::string> names = WritePictureResources(folder);
  for (auto _ : state)
    benchmark::DoNotOptimize(Prepare(folder, names));
  state.SetItemsProcessed(state.iterations() * kPictureFiles * kPicturesPerFile);
}
BENCHMARK(BM_PrepareBuild)->Unit(benchmark::kMillisecond);

void BM_WriteFlashImage(benchmark::State& state) {
  BinFolder folder;
  const builder::PreparedBuild build = Prepare(folder, WritePictureResources(folder));
  for (auto _ : state)
    benchmark::DoNotOptimize(builder::WriteFlashImage(folder.File("Flash.bin"), build).ok());
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<std::int64_t>(builder::kNandHeaderSize +
                                kPictureFiles * kPicturesPerFile * kPictureBytes));
}
BENCHMARK(BM_WriteFlashImage)->Unit(benchmark::kMillisecond);

// The floor: the header and the same files concatenated into one stream, nothing else.
void BM_ConcatenateFloor(benchmark::State& state) {
  BinFolder folder;
  const builder::PreparedBuild build = Prepare(folder, WritePictureResources(folder));
  for (auto _ : state) {
    std::ofstream out(folder.File("Floor.bin"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(build.header.data()),
              static_cast<std::streamsize>(build.header.size()));
    for (const std::string& name : build.resources.names) {
      std::ifstream in(folder.File(name), std::ios::binary);
      out << in.rdbuf();
    }
  }
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<std::int64_t>(builder::kNandHeaderSize +
                                kPictureFiles * kPicturesPerFile * kPictureBytes));
}
BENCHMARK(BM_ConcatenateFloor)->Unit(benchmark::kMillisecond);

void BM_InspectImage(benchmark::State& state) {
  BinFolder folder;
  const builder::PreparedBuild build = Prepare(folder, WritePictureResources(folder));
  builder::WriteFlashImage(folder.File("Flash.bin"), build);
  const std::vector<std::uint8_t> image = folder.Read("Flash.bin");
  for (auto _ : state)
    benchmark::DoNotOptimize(builder::InspectImage(image));
}
BENCHMARK(BM_InspectImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
