// fuzz-seeds OUT: writes a small seed corpus for every harness into OUT/<harness>/,
// made with the project's own writers, so fuzzing starts from files that get deep.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "audio/wav_test_files.h"
#include "builder/make_bin.h"
#include "cursor/cursor_file.h"
#include "fuzz/module_project.h"
#include "picture/gif_test_writer.h"
#include "picture/resource_output.h"
#include "picture_writer.h"
#include "platform/code_page.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SeedFolder {
 public:
  SeedFolder(const std::filesystem::path& root, const std::string& harness)
      : folder_(root / harness) {
    std::filesystem::create_directories(folder_);
  }
  void Add(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  void AddText(const std::string& name, const std::string& text) const {
    Add(name, Bytes(text.begin(), text.end()));
  }

 private:
  std::filesystem::path folder_;
};

Bytes Gradient(int width, int height, int channels) {
  Bytes samples;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c)
        samples.push_back(static_cast<std::uint8_t>(x * 16 + y * 8 + c * 64));
    }
  }
  return samples;
}

void PictureSeeds(const std::filesystem::path& root) {
  const SeedFolder png(root, "png");
  png.Add("grey.png", tools::EncodePng({5, 4, 0, 8, Gradient(5, 4, 1), {}}));
  png.Add("rgb.png", tools::EncodePng({5, 4, 2, 8, Gradient(5, 4, 3), {}}));
  png.Add("palette.png", tools::EncodePng({4, 3, 3, 8, Gradient(4, 3, 1), Gradient(256, 1, 3)}));
  png.Add("grey_alpha.png", tools::EncodePng({4, 3, 4, 8, Gradient(4, 3, 2), {}}));
  png.Add("rgba.png", tools::EncodePng({6, 5, 6, 8, Gradient(6, 5, 4), {}}));
  png.Add("rgb16.png", tools::EncodePng({3, 2, 2, 16, Gradient(3, 2, 6), {}}));

  const SeedFolder jpeg(root, "jpeg");
  jpeg.Add("rgb.jpg", tools::EncodeJpeg(16, 8, Gradient(16, 8, 3), false, false));
  jpeg.Add("grey.jpg", tools::EncodeJpeg(9, 7, Gradient(9, 7, 1), true, false));
  jpeg.Add("progressive.jpg", tools::EncodeJpeg(17, 9, Gradient(17, 9, 3), false, true, 50));

  const SeedFolder bmp(root, "bmp");
  bmp.Add("rgb.bmp", tools::EncodeBmp24(5, 3, Gradient(5, 3, 3)));
  bmp.Add("line.bmp", tools::EncodeBmp24(1, 1, Gradient(1, 1, 3)));
}

void GifSeeds(const std::filesystem::path& root) {
  using picture::testing::SolidFrame;
  const SeedFolder gif(root, "gif");
  picture::testing::TestGif animation;
  animation.screen_width = 8;
  animation.screen_height = 6;
  animation.global_palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
  animation.frames.push_back(SolidFrame(0, 0, 8, 6, 0));
  auto moving = SolidFrame(2, 1, 4, 4, 1);
  moving.transparent_index = 1;
  animation.frames.push_back(moving);
  auto interlaced = SolidFrame(5, 3, 6, 6, 2);  // partly outside the screen
  interlaced.interlaced = true;
  interlaced.local_palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  animation.frames.push_back(interlaced);
  gif.Add("animation.gif", picture::testing::GifBytes(animation));
  animation.trailer = false;
  gif.Add("no_trailer.gif", picture::testing::GifBytes(animation));
  picture::testing::TestGif bare;
  bare.screen_width = 3;
  bare.screen_height = 3;
  bare.frames = {SolidFrame(0, 0, 3, 3, 5)};
  gif.Add("no_palette.gif", picture::testing::GifBytes(bare));
}

void WavSeeds(const std::filesystem::path& root) {
  using namespace audio::test;
  const SeedFolder wav(root, "wav");
  wav.Add("mono8.wav", PcmWav(1, 8, 8000, Counting(40)));
  wav.Add("stereo16.wav", PcmWav(2, 16, 44100, Counting(64)));
  Bytes chunks = WavHeader(2, 8, 22050, 18);
  AddChunk(chunks, "fact", {4, 0, 0, 0});
  AddChunk(chunks, "LIST", Counting(6));
  AddChunk(chunks, "data", Counting(30), 100);  // cut short
  wav.Add("chunks.wav", chunks);
}

void TextSeeds(const std::filesystem::path& root, const std::filesystem::path& source) {
  const SeedFolder project(root, "project");
  std::ifstream demo(source / "examples/demo/demo.ini", std::ios::binary);
  const std::string demo_text((std::istreambuf_iterator<char>(demo)),
                              std::istreambuf_iterator<char>());
  project.AddText("demo.ini", demo_text);
  project.AddText("gif_and_sets.ini",
                  "[INFO]\r\nXSIZE:320\r\nYSIZE:240\r\n\tFlashType:NAND\r\n[USERCMD]\r\n"
                  "88h: 1, 0, 0, 2\r\n90h: PT1, 5, 5\r\n85h: 0x12AB, 300/comment\r\n"
                  "A0h: 1,2,3,4,5,6,7,8,9,10\r\n");

  const SeedFolder addresses(root, "address_list");
  std::string list;
  for (const auto& line : {picture::ListingLine(320, 240, 0, 0x25800, "a.png"),
                           picture::ListingLine(48, 48, 0x25800, 0x1200, "b.bmp"),
                           std::string("{8, 6, 0x00026A00, 0x00000060},//x.gif-Frames0")}) {
    list += line + "\r\n";
  }
  addresses.AddText("picture-Addr.txt", list + "Fail to convert c.jpg\r\n");
  const SeedFolder bin_folder(root, "bin_folder");
  bin_folder.AddText("picture-Addr.txt", list);

  const SeedFolder cursor(root, "cursor_import");
  cursor::CursorBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(i * 7);
  std::string hex;
  for (const std::string& line : cursor::CursorListingLines(bytes))
    hex += line + "\r\n";
  cursor.AddText("listing.txt", hex);

  const SeedFolder text(root, "string_text");
  const std::string lines = "Hello 123\r\n温度 设定\n\r\n開機畫面\r";
  text.AddText("gbk.txt", platform::EncodeText(lines, platform::CodePage::Gbk936));
  text.AddText("big5.txt", platform::EncodeText(lines, platform::CodePage::Big5_950));
}

// Flash images of a small build, NOR and NAND, and the NOR header alone.
void ImageSeeds(const std::filesystem::path& root) {
  const std::filesystem::path folder = root / "scratch-bins";
  std::filesystem::create_directories(folder);
  const Bytes resource(600, 0x5A);
  const SeedFolder scratch(root, "scratch-bins");
  for (const char* name : {"Picture-a.bin", "Gif-b.bin", "Wav-c.bin", "Cursor-d.bin"})
    scratch.Add(name, resource);
  const std::string list = picture::ListingLine(10, 10, 0, 200, "a.png") + "\r\n" +
                           picture::ListingLine(10, 10, 200, 200, "b.png") + "\r\n";
  scratch.AddText("Picture-a-Addr.txt", list);
  scratch.AddText("Gif-b-Addr.txt", list);

  const SeedFolder inspect(root, "inspect");
  const SeedFolder extract(root, "extract");
  const builder::CommandList commands =
      fuzz::ModuleProject({"80h: 1, 0, 0, 0", "88h: 1, 0, 0, 1", "B8h: 1"});
  for (const bool nand : {false, true}) {
    builder::ResourceSet resources;
    resources.folder = folder.string() + "/";
    resources.names = {"Picture-a.bin", "Gif-b.bin", "Wav-c.bin", "Cursor-d.bin"};
    resources.header_size = builder::HeaderSizeFor(nand);
    const auto build = builder::PrepareBuild(resources, commands, builder::BuildTime{},
                                             [](const platform::Message&) {});
    if (!build) {
      std::cerr << "no image seed: " << build.error().text << "\n";
      continue;
    }
    Bytes image = build->header;
    if (!nand)
      inspect.Add("userinfo.bin", image);
    for (std::size_t i = 0; i < resources.names.size(); ++i)
      image.insert(image.end(), resource.begin(), resource.end());
    inspect.Add(nand ? "nand_flash.bin" : "nor_flash.bin", image);
    extract.Add(nand ? "nand_flash.bin" : "nor_flash.bin", image);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: fuzz-seeds OUT SOURCE_ROOT\n";
    return 2;
  }
  const std::filesystem::path root = argv[1];
  PictureSeeds(root);
  GifSeeds(root);
  WavSeeds(root);
  TextSeeds(root, argv[2]);
  ImageSeeds(root);
  std::cout << "seeds written to " << root.string() << "\n";
  return 0;
}
