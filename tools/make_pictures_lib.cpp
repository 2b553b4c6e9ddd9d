#include "make_pictures_lib.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tools {

Bytes PhotoLike(int width, int height, int seed) {
  Bytes rgb(std::size_t(width) * height * 3);
  unsigned noise = 2166136261u + unsigned(seed) * 16777619u;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = int(noise >> 27) - 16;
      const double u = double(x) / width, v = double(y) / height;
      const double wave = std::sin((u * 6 + seed) * 1.3) * std::cos((v * 4 - seed) * 1.7);
      std::uint8_t* p = rgb.data() + (std::size_t(y) * width + x) * 3;
      p[0] = std::uint8_t(std::clamp(int(128 + 100 * wave + 40 * u) + grain, 0, 255));
      p[1] = std::uint8_t(std::clamp(int(90 + 120 * v - 30 * wave) + grain, 0, 255));
      p[2] = std::uint8_t(std::clamp(int(200 - 120 * u * v + 20 * wave) + grain, 0, 255));
    }
  }
  return rgb;
}

void MakeBenchPictures(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/photo%03d.png", i);
    WriteFile(folder + name, EncodePng({1024, 600, 2, 8, PhotoLike(1024, 600, i), {}}));
    std::snprintf(name, sizeof name, "/photo%03d.jpg", i);
    WriteFile(folder + name,
              EncodeJpeg(1024, 600, PhotoLike(1024, 600, i + 1000), false, i % 2 == 1));
  }
}

}  // namespace tools
