#include "picture/pixel_decoders.h"

#include <gtest/gtest.h>

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
  std::uint8_t r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& p) {
  return out << "(" << int(p.r) << ", " << int(p.g) << ", " << int(p.b) << ", " << int(p.a) << ")";
}

Rgba PixelAt(const DecodedPicture& picture, int x, int y) {
  const std::uint8_t* p = picture.rgba.data() + (std::size_t(y) * picture.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Colours that tell their place apart and cover the channel ends; every fifth is black so
// Black_White has ink in each row.
Rgb ColourAt(int x, int y) {
  if ((x + 2 * y) % 5 == 0)
    return {0, 0, 0};
  return {std::uint8_t(x * 37 + y * 11), std::uint8_t(255 - x * 23), std::uint8_t(y * 61 + 3)};
}
std::uint8_t AlphaAt(int x, int y) {
  return std::uint8_t(x * 53 + y * 29);
}

ArgbPicture Sample(int w, int h) {
  ArgbPicture picture{WorkingBitmap(w, h), {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      picture.colours.SetPixel(x, y, ColourAt(x, y));
      picture.alpha.push_back(AlphaAt(x, y));
    }
  }
  return picture;
}

// What the panel shows for a pixel of the sample, by the stored bits of each form.
Rgba Expected(PixelForm form, int x, int y) {
  const Rgb c = ColourAt(x, y);
  switch (form) {
    case PixelForm::R8G8B8:
      return {c.r, c.g, c.b, 255};
    case PixelForm::R5G6B5:
      return {Widen5(c.r >> 3), Widen6(c.g >> 2), Widen5(c.b >> 3), 255};
    case PixelForm::Argb4:
      return {Widen4(c.r >> 4), Widen4(c.g >> 4), Widen4(c.b >> 4), Widen4(AlphaAt(x, y) >> 4)};
    case PixelForm::BlackWhite:
      break;
  }
  const std::uint8_t level = c == Rgb{0, 0, 0} ? 0 : 255;
  return {level, level, level, 255};
}

Bytes Encode(const ArgbPicture& picture, PixelForm form, const EncodeSettings& settings) {
  return form == PixelForm::Argb4 ? EncodeArgb(picture, settings)
                                  : EncodePicture(picture.colours, form, settings);
}

TEST(PixelDecoders, EncodedPicturesDecodeToWhatThePanelShows) {
  struct Case {
    PixelForm form;
    int w, h;
    int order;
    bool nand, mirror_x, mirror_y;
  } cases[] = {
      {PixelForm::R8G8B8, 5, 3, 0, false, false, false},
      {PixelForm::R8G8B8, 5, 3, 1, true, false, false},
      {PixelForm::R8G8B8, 6, 4, 0, false, true, true},
      {PixelForm::R5G6B5, 5, 3, 0, false, false, false},
      {PixelForm::R5G6B5, 5, 3, 1, false, false, false},
      {PixelForm::R5G6B5, 7, 2, 0, true, true, false},
      {PixelForm::R5G6B5, 8, 2, 1, true, false, true},
      {PixelForm::BlackWhite, 5, 3, 0, false, false, false},
      {PixelForm::BlackWhite, 13, 3, 1, true, true, false},  // colour order plays no part
      {PixelForm::BlackWhite, 33, 2, 0, true, false, true},  // NAND rows of 8 bytes
      {PixelForm::BlackWhite, 25, 2, 0, true, false, false},
      {PixelForm::Argb4, 5, 3, 0, false, false, false},
      {PixelForm::Argb4, 5, 3, 1, true, true, true},  // four-bit ARGB has no colour order
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "form " << int(c.form) << " " << c.w << "x" << c.h << " order " << c.order
                 << " nand " << c.nand << " mirror " << c.mirror_x << c.mirror_y);
    const ArgbPicture sample = Sample(c.w, c.h);
    EncodeSettings encode;
    encode.colour_order_index = c.order;
    encode.nand = c.nand;
    encode.mirror_x = c.mirror_x;
    encode.mirror_y = c.mirror_y;
    const Bytes bytes = Encode(sample, c.form, encode);
    ASSERT_EQ(std::int64_t(bytes.size()), EncodedSize(c.form, c.w, c.h, c.nand));

    // Undoing the mirrors gives the source picture back.
    const auto undone =
        DecodePicture(bytes, c.form, c.w, c.h, {c.order, c.nand, c.mirror_x, c.mirror_y});
    ASSERT_TRUE(undone.ok()) << undone.error().text;
    ASSERT_EQ(undone->rgba.size(), std::size_t(c.w) * c.h * 4);
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x)
        ASSERT_EQ(PixelAt(*undone, x, y), Expected(c.form, x, y)) << "at " << x << ", " << y;
    }

    // Without being asked the decoder shows the rows as stored, mirrored as the panel is.
    const auto shown = DecodePicture(bytes, c.form, c.w, c.h, {c.order, c.nand, false, false});
    ASSERT_TRUE(shown.ok());
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) {
        const int sx = c.mirror_x ? c.w - 1 - x : x, sy = c.mirror_y ? c.h - 1 - y : y;
        ASSERT_EQ(PixelAt(*shown, x, y), Expected(c.form, sx, sy)) << "at " << x << ", " << y;
      }
    }

    // The widened channels hold the stored bits, so encoding again gives the same bytes.
    ArgbPicture again{WorkingBitmap(c.w, c.h), {}};
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) {
        const Rgba p = PixelAt(*undone, x, y);
        again.colours.SetPixel(x, y, {p.r, p.g, p.b});
        again.alpha.push_back(p.a);
      }
    }
    EXPECT_EQ(Encode(again, c.form, encode), bytes);
  }
}

TEST(PixelDecoders, ChannelsWidenByBitReplication) {
  struct Case {
    PixelForm form;
    int order;
    Bytes bytes;
    Rgba pixel;
  } cases[] = {
      // R5G6B5 0x11AA: R5 2, G6 13, B5 10.
      {PixelForm::R5G6B5, 0, {0xAA, 0x11}, {0x10, 0x34, 0x52, 255}},
      {PixelForm::R5G6B5, 1, {0xAA, 0x11}, {0x52, 0x34, 0x10, 255}},
      {PixelForm::R5G6B5, 0, {0xFF, 0xFF}, {255, 255, 255, 255}},
      {PixelForm::R5G6B5, 0, {0x00, 0x00}, {0, 0, 0, 255}},
      {PixelForm::R5G6B5, 0, {0x10, 0x84}, {0x84, 0x82, 0x84, 255}},  // 10000 100000 10000
      {PixelForm::R8G8B8, 0, {0x56, 0x34, 0x12}, {0x12, 0x34, 0x56, 255}},
      {PixelForm::R8G8B8, 1, {0x12, 0x34, 0x56}, {0x12, 0x34, 0x56, 255}},
      {PixelForm::Argb4, 0, {0x35, 0x81}, {0x11, 0x33, 0x55, 0x88}},
      {PixelForm::Argb4, 1, {0x35, 0x81}, {0x11, 0x33, 0x55, 0x88}},
      {PixelForm::Argb4, 0, {0xFF, 0x0F}, {255, 255, 255, 0}},
      {PixelForm::BlackWhite, 0, {0x80}, {0, 0, 0, 255}},
      {PixelForm::BlackWhite, 0, {0x7F}, {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "form " << int(c.form) << " order " << c.order);
    const auto picture = DecodePicture(c.bytes, c.form, 1, 1, {c.order});
    ASSERT_TRUE(picture.ok()) << picture.error().text;
    EXPECT_EQ(PixelAt(*picture, 0, 0), c.pixel);
  }
}

TEST(PixelDecoders, NandPaddingIsSkippedNotShown) {
  // 5 x 2 R5G6B5 with NAND rows: 5 pixels then 3 padding pixels per row.
  Bytes bytes;
  for (int row = 0; row < 2; ++row) {
    for (int k = 0; k < 5; ++k) {
      bytes.push_back(row == 0 ? 0x00 : 0x1F);  // black, then blue
      bytes.push_back(0x00);
    }
    bytes.insert(bytes.end(), 6, 0xFF);
  }
  const auto picture = DecodePicture(bytes, PixelForm::R5G6B5, 5, 2, {0, true});
  ASSERT_TRUE(picture.ok());
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(PixelAt(*picture, x, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(PixelAt(*picture, x, 1), (Rgba{0, 0, 255, 255}));
  }
  // Read as NOR rows the same bytes shift the second row by the padding.
  const auto nor = DecodePicture(bytes, PixelForm::R5G6B5, 5, 2, {0, false});
  ASSERT_TRUE(nor.ok());
  EXPECT_EQ(PixelAt(*nor, 0, 1), (Rgba{255, 255, 255, 255}));
}

TEST(PixelDecoders, RefusesSizesTheBytesDoNotHold) {
  struct Case {
    PixelForm form;
    int w, h;
    bool nand;
    std::size_t bytes;
    bool ok;
  } cases[] = {
      {PixelForm::R5G6B5, 5, 2, false, 20, true},
      {PixelForm::R5G6B5, 5, 2, false, 19, false},
      {PixelForm::R5G6B5, 5, 2, true, 20, false},  // NAND rows need 32
      {PixelForm::R5G6B5, 5, 2, false, 64, true},  // bytes past the picture are not read
      {PixelForm::R8G8B8, 4, 4, false, 47, false},
      {PixelForm::BlackWhite, 33, 1, true, 8, true},
      {PixelForm::BlackWhite, 33, 1, true, 7, false},
      {PixelForm::Argb4, 1, 1, false, 1, false},
      {PixelForm::R5G6B5, 0, 7, false, 0, true},  // an empty picture
      {PixelForm::R5G6B5, -1, 7, false, 64, false},
      {PixelForm::R8G8B8, 40000, 40000, false, 64, false},  // beyond the module's sizes
      {PixelForm::BlackWhite, 1 << 30, 1 << 30, false, 64, false},
      {PixelForm::R8G8B8, INT32_MAX, INT32_MAX, true, 64, false},  // no overflow on the way
      {PixelForm::BlackWhite, INT32_MAX, 1, true, 64, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.form) << " " << c.w << "x" << c.h << " nand " << c.nand
                                    << " bytes " << c.bytes);
    const Bytes bytes(c.bytes, 0x5A);
    const auto picture = DecodePicture(bytes, c.form, c.w, c.h, {0, c.nand});
    EXPECT_EQ(picture.ok(), c.ok);
    if (!picture.ok()) {
      EXPECT_FALSE(picture.error().text.empty());
    }
  }
}

}  // namespace
}  // namespace picture
