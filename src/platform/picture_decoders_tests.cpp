#include "platform/picture_decoders.h"

#include <gtest/gtest.h>

#include "platform/decoder_refusals.h"

namespace platform {
namespace {

using platform::testing::ExpectRefusals;

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

struct TopLeftPixel {
  const char* name;
  Bytes file;
  Rgb first;
};

void ExpectTopLeftPixels(const std::vector<TopLeftPixel>& cases) {
  for (const TopLeftPixel& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = DecodeBmp(c.file);
    ASSERT_TRUE(decoded.ok()) << decoded.error().text;
    EXPECT_EQ((Rgb{decoded->rgb[0], decoded->rgb[1], decoded->rgb[2]}), c.first);
  }
}

TEST(BmpDecoder, DepthsLayoutsAndCompressions) {
  ExpectTopLeftPixels({
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
  });
}

TEST(BmpDecoder, TruncatedFileFails) {
  Bytes file = Bmp(64, 64, 24, 0, {}, Bytes(64 * 64 * 3, 1));
  file.resize(40);
  EXPECT_FALSE(DecodeBmp(file).ok());
}

Bytes Cut(Bytes file, std::size_t size) {
  file.resize(size);
  return file;
}

// A 24-bit picture with the 12-byte core header of OS/2 bitmaps.
Bytes CoreBmp(int width, int height, const Bytes& pixels) {
  Bytes out{'B', 'M'};
  Put(out, 26 + std::uint32_t(pixels.size()), 4);
  Put(out, 0, 4);
  Put(out, 26, 4);
  Put(out, 12, 4);
  Put(out, std::uint32_t(width), 2);
  Put(out, std::uint32_t(height), 2);
  Put(out, 1, 2);
  Put(out, 24, 2);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

TEST(BmpDecoder, LoadsWhatTheDataHolds) {
  Bytes far_offset = Bmp(1, 1, 24, 0, {}, {0, 0, 0, 0, 0x56, 0x34, 0x12, 0});
  far_offset[10] += 4;  // the pixels start after 4 unused bytes
  ExpectTopLeftPixels({
      {"bytes after the pixel data",
       Bmp(1, 1, 24, 0, {}, {0x56, 0x34, 0x12, 0, 9, 9, 9}),
       {0x12, 0x34, 0x56}},
      {"pixel data at a later offset", far_offset, {0x12, 0x34, 0x56}},
      {"core header", CoreBmp(1, 1, {0x56, 0x34, 0x12, 0}), {0x12, 0x34, 0x56}},
      {"run-length picture of a panel's size in one end code",
       Bmp(1024, 600, 8, 1, kPalette, {0, 1}),
       {0, 0, 0}},
      {"run-length rows ended by line ends",
       Bmp(2, 2, 8, 1, kPalette, {2, 0, 0, 0, 2, 1, 0, 0}),
       {0x10, 0x20, 0x30}},
      {"run-length jump past the last row, then the end code",
       Bmp(2, 3, 4, 2, kPalette, {0, 2, 9, 9, 0, 1}),
       {0, 0, 0}},
      {"run-length literal pixels padded to even bytes",
       Bmp(3, 1, 8, 1, kPalette, {0, 3, 1, 0, 0, 0, 0, 1}),
       {0x10, 0x20, 0x30}},
  });
}

TEST(BmpDecoder, RefusesPixelsTheDataCannotHold) {
  Bytes far_offset = Bmp(2, 2, 8, 0, kPalette, Bytes(8));
  far_offset[11] = 0x10;  // pixels said to start at 4096 and more
  ExpectRefusals(
      {
          {"60 bytes of a 64 x 64 picture", Cut(Bmp(64, 64, 24, 0, {}, Bytes(64 * 64 * 3)), 60),
           "BMP: the pixel data is cut short: 64 x 64 pixels of 24 bits need 12288 bytes, the file "
           "holds 6"},
          {"top-down rows cut short", Cut(Bmp(4, -4, 8, 0, kPalette, Bytes(16)), 14 + 40 + 8 + 15),
           "BMP: the pixel data is cut short: 4 x 4 pixels of 8 bits need 16 bytes, the file holds "
           "15"},
          {"pixels said to start past the end", far_offset,
           "BMP: the pixel data is cut short: 2 x 2 pixels of 8 bits need 8 bytes, the file holds "
           "0"},
          {"header claiming 16384 x 16384", Bmp(16384, 16384, 24, 0, {}, Bytes(10)),
           "BMP: the pixel data is cut short: 16384 x 16384 pixels of 24 bits need 805306368 "
           "bytes, "
           "the file holds 10"},
          {"run-length header claiming 16384 x 16384", Bmp(16384, 16384, 8, 1, kPalette, {0, 1}),
           "BMP: 16384 x 16384 run-length pixels cannot come from 2 bytes of data (over 4194304 "
           "pixels, at most 256 pixels a byte)"},
          {"run-length data ending before the last row", Bmp(4, 4, 8, 1, kPalette, {4, 1, 0, 0}),
           "BMP: the run-length data ends before the last row of 4 x 4"},
          {"run-length literal pixels cut short", Bmp(8, 1, 4, 2, kPalette, {0, 8, 0x11, 0x11}),
           "BMP: the run-length data ends before the last row of 8 x 1"},
          {"header cut short", Cut(Bmp(1, 1, 24, 0, {}, Bytes(4)), 30),
           "BMP: the file ends inside its header"},
          {"not a bitmap", Bytes{'P', 'N', 'G', 0}, "BMP: not a BMP file"},
          {"over the picture limit", Bmp(1 << 15, 1 << 14, 1, 0, kPalette, {}),
           "BMP: picture too large"},
      },
      DecodeBmp);
}

TEST(BmpDecoder, QtsOwnMessagesJoinTheReasonInsteadOfTheTerminal) {
  // 144 million pixels held in enough run-length bytes, beyond what Qt will allocate.
  Bytes data{0, 1};
  data.resize(600000);
  const Bytes file = Bmp(12000, 12000, 8, 1, kPalette, data);
  ::testing::internal::CaptureStderr();
  const auto decoded = DecodeBmp(file);
  const std::string printed = ::testing::internal::GetCapturedStderr();
  ASSERT_FALSE(decoded.ok());
  EXPECT_EQ(decoded.error().text,
            "BMP: Unable to read image data (qt.gui.imageio: QImageIOHandler: Rejecting image as "
            "it exceeds the current allocation limit of 128 megabytes)");
  EXPECT_EQ(printed, "");
}

TEST(BmpDecoder, DimensionsComeFromTheHeaderAlone) {
  const auto top_down = BmpDimensions(Bmp(3, -2, 24, 0, {}, Bytes(24)));
  ASSERT_TRUE(top_down.ok()) << top_down.error().text;
  EXPECT_EQ(top_down->width, 3);
  EXPECT_EQ(top_down->height, 2);
  const auto claimed = BmpDimensions(Bmp(16384, 16384, 24, 0, {}, {}));
  ASSERT_TRUE(claimed.ok()) << claimed.error().text;
  EXPECT_EQ(claimed->width, 16384);
  EXPECT_FALSE(BmpDimensions(Bytes{'B', 'M', 0}).ok());
}

TEST(PictureSize, BoundIsCheckedBeforeAllocation) {
  EXPECT_TRUE(PictureSizeAcceptable(1024, 600));
  EXPECT_TRUE(PictureSizeAcceptable(1 << 14, 1 << 14));
  EXPECT_FALSE(PictureSizeAcceptable(1 << 15, 1 << 14));
  EXPECT_FALSE(PictureSizeAcceptable(0, 5));
}

}  // namespace
}  // namespace platform
