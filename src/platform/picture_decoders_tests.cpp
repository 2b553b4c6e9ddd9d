#include "platform/picture_decoders.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
};

void Put(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(std::uint8_t(value >> (8 * i)));
}

// A BMP with a BITMAPINFOHEADER; `height` negative for top-down rows.
Bytes Bmp(int width, int height, int bits, std::uint32_t compression, const Bytes& palette,
          const Bytes& pixels, const Bytes& masks = {}) {
  Bytes out{'B', 'M'};
  const std::uint32_t offset = 14 + 40 + std::uint32_t(masks.size() + palette.size());
  Put(out, offset + std::uint32_t(pixels.size()), 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  Put(out, 40, 4);
  Put(out, std::uint32_t(width), 4);
  Put(out, std::uint32_t(height), 4);
  Put(out, 1, 2);
  Put(out, std::uint32_t(bits), 2);
  Put(out, compression, 4);
  Put(out, std::uint32_t(pixels.size()), 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, std::uint32_t(palette.size() / 4), 4);
  Put(out, 0, 4);
  out.insert(out.end(), masks.begin(), masks.end());
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

const Bytes kPalette = {0, 0, 0, 0, /* index 1: */ 0x30, 0x20, 0x10, 0};  // B, G, R, 0

TEST(BmpDecoder, DepthsLayoutsAndCompressions) {
  struct Case {
    const char* name;
    Bytes file;
    Rgb first;  // top-left pixel
  } cases[] = {
      {"1 bit", Bmp(2, 1, 1, 0, kPalette, {0x40, 0, 0, 0}), {0, 0, 0}},
      {"4 bit", Bmp(2, 1, 4, 0, kPalette, {0x10, 0, 0, 0}), {0x10, 0x20, 0x30}},
      {"8 bit bottom-up", Bmp(1, 2, 8, 0, kPalette, {0, 0, 0, 0, 1, 0, 0, 0}), {0x10, 0x20, 0x30}},
      {"8 bit top-down", Bmp(1, -2, 8, 0, kPalette, {0, 0, 0, 0, 1, 0, 0, 0}), {0, 0, 0}},
      {"8 bit RLE", Bmp(2, 1, 8, 1, kPalette, {2, 1, 0, 1}), {0x10, 0x20, 0x30}},
      {"4 bit RLE", Bmp(2, 1, 4, 2, kPalette, {2, 0x11, 0, 1}), {0x10, 0x20, 0x30}},
      {"24 bit", Bmp(1, 1, 24, 0, {}, {0x56, 0x34, 0x12, 0}), {0x12, 0x34, 0x56}},
      {"32 bit alpha ignored", Bmp(1, 1, 32, 0, {}, {0x56, 0x34, 0x12, 0x00}), {0x12, 0x34, 0x56}},
      {"16 bit 5-6-5 bit fields",
       Bmp(1, 1, 16, 3, {}, {0x00, 0xF8, 0, 0},
           {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}),
       {0xF8, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = DecodeBmp(c.file);
    ASSERT_TRUE(decoded.ok()) << decoded.error().text;
    EXPECT_EQ((Rgb{decoded->rgb[0], decoded->rgb[1], decoded->rgb[2]}), c.first);
  }
}

TEST(BmpDecoder, TruncatedFileFails) {
  Bytes file = Bmp(64, 64, 24, 0, {}, Bytes(64 * 64 * 3, 1));
  file.resize(40);
  EXPECT_FALSE(DecodeBmp(file).ok());
}

TEST(PictureSize, BoundIsCheckedBeforeAllocation) {
  EXPECT_TRUE(PictureSizeAcceptable(1024, 600));
  EXPECT_TRUE(PictureSizeAcceptable(1 << 14, 1 << 14));
  EXPECT_FALSE(PictureSizeAcceptable(1 << 15, 1 << 14));
  EXPECT_FALSE(PictureSizeAcceptable(0, 5));
}

}  // namespace
}  // namespace platform
