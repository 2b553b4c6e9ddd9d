#include "picture/pixel_encoders.h"

#include <gtest/gtest.h>

#include "picture/rotation.h"

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;

WorkingBitmap Filled(int w, int h, Rgb colour) {
  return WorkingBitmap(w, h, colour);
}

// A bitmap whose pixel (x, y) has R = x, G = y, so every output pixel tells where it came from.
WorkingBitmap Coordinates(int w, int h) {
  WorkingBitmap bitmap(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      bitmap.SetPixel(x, y, {std::uint8_t(x), std::uint8_t(y), 7});
  }
  return bitmap;
}

TEST(PixelEncoders, OnePixelInEachFormAndColourOrder) {
  struct Case {
    PixelForm form;
    int order;
    Rgb colour;
    Bytes expected;
  } cases[] = {
      {PixelForm::R5G6B5, 0, {0x12, 0x34, 0x56}, {0xAA, 0x11}},
      {PixelForm::R5G6B5, 1, {0x12, 0x34, 0x56}, {0xA2, 0x51}},
      {PixelForm::R5G6B5, 0, {255, 255, 255}, {0xFF, 0xFF}},
      {PixelForm::R8G8B8, 0, {0x12, 0x34, 0x56}, {0x56, 0x34, 0x12}},
      {PixelForm::R8G8B8, 1, {0x12, 0x34, 0x56}, {0x12, 0x34, 0x56}},
      {PixelForm::BlackWhite, 0, {0, 0, 0}, {0x80}},
      {PixelForm::BlackWhite, 1, {0, 0, 0}, {0x80}},
      {PixelForm::BlackWhite, 0, {1, 1, 1}, {0x00}},  // dark grey is not black
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "form " << int(c.form) << " order " << c.order);
    EXPECT_EQ(EncodePicture(Filled(1, 1, c.colour), c.form, {c.order, false, false, false}),
              c.expected);
  }
}

TEST(PixelEncoders, SizesFollowTheRowRules) {
  struct Case {
    PixelForm form;
    int w, h;
    bool nand;
    std::int64_t size;
  } cases[] = {
      {PixelForm::R5G6B5, 5, 2, false, 20},
      {PixelForm::R5G6B5, 5, 2, true, 32},
      {PixelForm::R5G6B5, 8, 2, true, 32},
      {PixelForm::R8G8B8, 5, 1, true, 24},
      {PixelForm::BlackWhite, 5, 2, false, 2},
      {PixelForm::BlackWhite, 5, 2, true, 8},
      {PixelForm::BlackWhite, 10, 10, false, 20},
      {PixelForm::BlackWhite, 10, 10, true, 40},
      {PixelForm::BlackWhite, 25, 1, true, 4},
      {PixelForm::BlackWhite, 33, 1, true, 8},
      {PixelForm::BlackWhite, 64, 1, true, 8},
      {PixelForm::Argb4, 5, 2, true, 32},
      {PixelForm::R5G6B5, 320, 240, false, 153600},
      {PixelForm::R8G8B8, 40000, 40000, false, -1},  // beyond signed 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << int(c.form) << " " << c.w << "x" << c.h << " nand " << c.nand);
    EXPECT_EQ(EncodedSize(c.form, c.w, c.h, c.nand), c.size);
    if (c.size >= 0 && c.form != PixelForm::Argb4) {
      EXPECT_EQ(
          std::int64_t(
              EncodePicture(Filled(c.w, c.h, {9, 9, 9}), c.form, {0, false, false, c.nand}).size()),
          c.size);
    }
  }
}

TEST(PixelEncoders, NandPaddingFollowsEachRow) {
  const Bytes colour =
      EncodePicture(Filled(5, 2, {255, 255, 255}), PixelForm::R5G6B5, {0, false, false, true});
  EXPECT_EQ(colour, Bytes(32, 0xFF));
  const Bytes black =
      EncodePicture(Filled(5, 2, {0, 0, 0}), PixelForm::R5G6B5, {0, false, false, true});
  const Bytes row = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Bytes(black.begin(), black.begin() + 16), row);
  EXPECT_EQ(Bytes(black.begin() + 16, black.end()), row);

  const Bytes bits =
      EncodePicture(Filled(5, 2, {0, 0, 0}), PixelForm::BlackWhite, {0, false, false, true});
  EXPECT_EQ(bits, (Bytes{0xF8, 0xFF, 0xFF, 0xFF, 0xF8, 0xFF, 0xFF, 0xFF}));
  const Bytes wide =
      EncodePicture(Filled(33, 1, {5, 5, 5}), PixelForm::BlackWhite, {0, false, false, true});
  EXPECT_EQ(wide, (Bytes{0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}));
}

TEST(PixelEncoders, RotationAndMirrorsChooseTheFirstPixel) {
  const WorkingBitmap source = Coordinates(4, 2);
  const WorkingBitmap right = RotatePicture(source, 1);
  ASSERT_EQ(right.Width(), 2);
  ASSERT_EQ(right.Height(), 4);
  EXPECT_EQ(right.Pixel(0, 0), source.Pixel(0, 1));  // the source's bottom-left pixel
  EXPECT_EQ(right.Pixel(1, 0), source.Pixel(0, 0));  // the top row becomes the right column
  const WorkingBitmap left = RotatePicture(source, 2);
  EXPECT_EQ(left.Pixel(0, 0), source.Pixel(3, 0));  // the top row read bottom to top
  EXPECT_EQ(left.Pixel(0, 3), source.Pixel(0, 0));
  EXPECT_EQ(RotatePicture(source, 0), source);
  EXPECT_EQ(RotatePicture(source, -1), source);

  const Bytes both = EncodePicture(source, PixelForm::R8G8B8, {1, true, true, false});
  EXPECT_EQ(Bytes(both.begin(), both.begin() + 3), (Bytes{3, 1, 7}));  // bottom-right pixel
  const Bytes x_only = EncodePicture(source, PixelForm::R8G8B8, {1, true, false, false});
  EXPECT_EQ(Bytes(x_only.begin(), x_only.begin() + 3), (Bytes{3, 0, 7}));
}

TEST(PixelEncoders, BlackWhitePacksLeftmostPixelIntoTheHighBit) {
  WorkingBitmap bitmap(10, 1);
  bitmap.SetPixel(0, 0, {0, 0, 0});
  bitmap.SetPixel(9, 0, {0, 0, 0});
  EXPECT_EQ(EncodePicture(bitmap, PixelForm::BlackWhite, {}), (Bytes{0x80, 0x40}));
  EXPECT_EQ(EncodePicture(bitmap, PixelForm::BlackWhite, {0, true, false, false}),
            (Bytes{0x80, 0x40}));
}

TEST(PixelEncoders, FourBitArgbPacksGreenBlueThenAlphaRed) {
  ArgbPicture picture{WorkingBitmap(1, 1, Rgb{0x12, 0x34, 0x56}), {0x80}};
  EXPECT_EQ(EncodeArgb(picture, {}), (Bytes{0x35, 0x81}));
  ArgbPicture row{Coordinates(3, 1), {0x10, 0x20, 0x30}};
  EXPECT_EQ(EncodeArgb(row, {0, true, false, true}),
            (Bytes{0x00, 0x30, 0x00, 0x20, 0x00, 0x10, 0xFF, 0xFF}));
}

TEST(PixelEncoders, FormatIndexChoosesTheForm) {
  EXPECT_EQ(FormOfFormatIndex(0), PixelForm::R5G6B5);
  EXPECT_EQ(FormOfFormatIndex(1), PixelForm::R8G8B8);
  EXPECT_EQ(FormOfFormatIndex(2), PixelForm::BlackWhite);
  EXPECT_EQ(FormOfFormatIndex(-1), PixelForm::BlackWhite);  // typed-over list
}

TEST(PixelEncoders, ProgressStaysBelowTheEndWhileRowsRemain) {
  std::vector<int> reports;
  EncodePicture(Filled(3, 200, {1, 2, 3}), PixelForm::R5G6B5, {},
                [&](int p) { reports.push_back(p); });
  ASSERT_EQ(reports.size(), 201u);
  EXPECT_EQ(reports.front(), 0);
  EXPECT_LE(*std::max_element(reports.begin(), reports.end()), 98);
}

}  // namespace
}  // namespace picture
