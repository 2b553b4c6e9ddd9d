#pragma once
// Writes PNG, JPEG and BMP files for tests, the demo and the benchmarks. Not part of the
// programs: they only read pictures.

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

using Bytes = std::vector<std::uint8_t>;

struct PngImage {
  int width = 0;
  int height = 0;
  int colour_type = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  int bit_depth = 8;
  Bytes samples;  // packed rows as the colour type and depth lay them out
  Bytes palette;  // RGB triples for colour type 3
};

Bytes EncodePng(const PngImage& image);

// 8-bit RGB (or grey when `grey`) samples into a JPEG.
Bytes EncodeJpeg(int width, int height, const Bytes& samples, bool grey, bool progressive,
                 int quality = 90);

// 8-bit CMYK samples into a JPEG with the Adobe marker (samples stored inverted, as
// Adobe's programs write them: 255 is no ink).
Bytes EncodeCmykJpeg(int width, int height, const Bytes& cmyk);

// A 24-bit bottom-up BMP of RGB samples.
Bytes EncodeBmp24(int width, int height, const Bytes& rgb);

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  Bytes indices;  // width * height palette indexes, rows top to bottom
};

// An animated GIF of the frames over a logical screen, all with the global palette
// (RGB triples, 2 to 256 entries, a power of two).
bool WriteGif(const std::string& path, int width, int height, const Bytes& palette,
              const std::vector<GifFrame>& frames);

bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace tools
