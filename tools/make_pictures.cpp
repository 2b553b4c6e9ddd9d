// make-pictures FOLDER --demo [GIF [WAV]] | --bench N | --solid NAME W H R G B [A]: photo-like
// pictures, an animation and a beep for the demo, pictures for the benchmarks, and plain ones
// for tests, made here so nothing is downloaded. A solid picture's kind follows NAME's extension;
// an alpha makes an RGBA PNG.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "make_pictures_lib.h"
#include "picture_writer.h"
#include "sound_writer.h"

namespace {

// A badge with transparent corners: an RGBA PNG for alpha keying.
tools::PngImage Badge(int size) {
  tools::PngImage image{size, size, 6, 8, {}, {}};
  image.samples.resize(std::size_t(size) * size * 4);
  const double centre = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - centre, y - centre) / centre;
      std::uint8_t* p = image.samples.data() + (std::size_t(y) * size + x) * 4;
      p[0] = std::uint8_t(255 * (1 - d / 2));
      p[1] = std::uint8_t(60 + 100 * d);
      p[2] = 40;
      p[3] = d <= 1 ? 255 : 0;
    }
  }
  return image;
}

// A four-frame spinner: a bar sweeping across a 48 x 16 screen.
bool WriteSpinner(const std::string& path) {
  const tools::Bytes palette = {255, 255, 255, 200, 30, 30, 30, 30, 200, 0, 0, 0};
  std::vector<tools::GifFrame> frames;
  for (int i = 0; i < 4; ++i) {
    tools::GifFrame frame{i * 12, 0, 12, 16, tools::Bytes(12 * 16, std::uint8_t(1 + i % 2))};
    frames.push_back(frame);
  }
  return tools::WriteGif(path, 48, 16, palette, frames);
}

int Fail(const char* text) {
  std::fprintf(stderr, "make-pictures: %s\n", text);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3)
    return Fail(
        "usage: make-pictures FOLDER --demo [GIF [WAV]] | --bench N | --solid NAME W H R G B [A]");
  const std::string folder = argv[1];
  const std::string mode = argv[2];
  std::filesystem::create_directories(folder);
  if (mode == "--demo") {
    tools::WriteFile(folder + "/01_logo.png",
                     tools::EncodePng({160, 80, 2, 8, tools::PhotoLike(160, 80, 1), {}}));
    tools::WriteFile(folder + "/02_badge.png", tools::EncodePng(Badge(48)));
    tools::WriteFile(folder + "/03_background.jpg",
                     tools::EncodeJpeg(320, 240, tools::PhotoLike(320, 240, 3), false, false));
    tools::WriteFile(folder + "/04_icon.bmp",
                     tools::EncodeBmp24(32, 32, tools::PhotoLike(32, 32, 4)));
    if (argc >= 4 && !WriteSpinner(argv[3]))
      return Fail("cannot write the animation");
    // A quarter second of a 400 Hz square wave, 16-bit mono at 8000 Hz.
    if (argc >= 5 &&
        !tools::WriteFile(argv[4], tools::EncodeWav16(8000, tools::SquareWave(8000, 400, 250))))
      return Fail("cannot write the sound");
    return 0;
  }
  if (mode == "--solid" && argc >= 9) {
    const std::string name = argv[3];
    const int w = std::atoi(argv[4]), h = std::atoi(argv[5]);
    const std::uint8_t r = std::uint8_t(std::atoi(argv[6])), g = std::uint8_t(std::atoi(argv[7])),
                       b = std::uint8_t(std::atoi(argv[8]));
    tools::Bytes rgb;
    for (int i = 0; i < w * h; ++i)
      rgb.insert(rgb.end(), {r, g, b});
    const std::string path = folder + "/" + name;
    if (name.ends_with(".png") && argc >= 10) {
      tools::Bytes rgba;
      for (int i = 0; i < w * h; ++i)
        rgba.insert(rgba.end(), {r, g, b, std::uint8_t(std::atoi(argv[9]))});
      return tools::WriteFile(path, tools::EncodePng({w, h, 6, 8, rgba, {}})) ? 0 : 1;
    }
    if (name.ends_with(".png"))
      return tools::WriteFile(path, tools::EncodePng({w, h, 2, 8, rgb, {}})) ? 0 : 1;
    if (name.ends_with(".jpg"))
      return tools::WriteFile(path, tools::EncodeJpeg(w, h, rgb, false, false)) ? 0 : 1;
    return tools::WriteFile(path, tools::EncodeBmp24(w, h, rgb)) ? 0 : 1;
  }
  if (mode == "--bench" && argc >= 4) {
    tools::MakeBenchPictures(folder, std::atoi(argv[3]));
    return 0;
  }
  return Fail(
      "usage: make-pictures FOLDER --demo [GIF [WAV]] | --bench N | --solid NAME W H R G B [A]");
}
