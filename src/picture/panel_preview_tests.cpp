#include "picture/panel_preview.h"

#include <gtest/gtest.h>

#include "picture_writer.h"
#include "temp_folder.h"

namespace picture {
namespace {

struct Rgba {
  int r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

Rgba At(const DecodedPicture& picture, int x, int y) {
  const std::uint8_t* p = picture.rgba.data() + (std::size_t(y) * picture.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

// Three pixels in a row: a grey between R5G6B5 levels, a near-black and pure black.
WorkingBitmap Strip() {
  return WorkingBitmap(3, 1, {130, 130, 130, 1, 1, 1, 0, 0, 0});
}

struct FormCase {
  const char* name;
  PixelForm form;
  EncodeSettings settings;
  Rgba grey, near_black, black;
};

class ModuleViewOfForm : public testing::TestWithParam<FormCase> {};

TEST_P(ModuleViewOfForm, ShowsWhatTheStoredBitsHold) {
  const FormCase& c = GetParam();
  auto shown = ModuleView(Strip(), c.form, c.settings);
  ASSERT_TRUE(shown) << shown.error().text;
  ASSERT_EQ(shown->width, 3);
  ASSERT_EQ(shown->height, 1);
  EXPECT_EQ(At(*shown, 0, 0), c.grey);
  EXPECT_EQ(At(*shown, 1, 0), c.near_black);
  EXPECT_EQ(At(*shown, 2, 0), c.black);
}

EncodeSettings With(int order, bool mirror_x, bool nand, bool keyed = false) {
  EncodeSettings settings;
  settings.colour_order_index = order;
  settings.mirror_x = mirror_x;
  settings.nand = nand;
  settings.keyed = keyed;
  return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ModuleViewOfForm,
    testing::Values(
        // 130 keeps 5 bits (16, widened to 132) and 6 bits (32, widened to 130); 1 drops to 0.
        FormCase{
            "R5G6B5", PixelForm::R5G6B5, {}, {132, 130, 132, 255}, {0, 0, 0, 255}, {0, 0, 0, 255}},
        // Read back in the order it was stored, the colours come back; NAND padding
        // does not show.
        FormCase{"R5G6B5BgrNand",
                 PixelForm::R5G6B5,
                 With(1, false, true),
                 {132, 130, 132, 255},
                 {0, 0, 0, 255},
                 {0, 0, 0, 255}},
        FormCase{"R8G8B8",
                 PixelForm::R8G8B8,
                 With(1, false, true),
                 {130, 130, 130, 255},
                 {1, 1, 1, 255},
                 {0, 0, 0, 255}},
        // Only exact black is ink.
        FormCase{"BlackWhite",
                 PixelForm::BlackWhite,
                 {},
                 {255, 255, 255, 255},
                 {255, 255, 255, 255},
                 {0, 0, 0, 255}},
        // The panel shows the mirrored picture.
        FormCase{"MirroredR8G8B8",
                 PixelForm::R8G8B8,
                 With(0, true, false),
                 {0, 0, 0, 255},
                 {1, 1, 1, 255},
                 {130, 130, 130, 255}},
        // Keyed: a stored zero is transparent; a near-black that stores something is not.
        FormCase{"KeyedR8G8B8",
                 PixelForm::R8G8B8,
                 With(0, false, false, true),
                 {130, 130, 130, 255},
                 {1, 1, 1, 255},
                 {0, 0, 0, 0}},
        FormCase{"KeyedR5G6B5",
                 PixelForm::R5G6B5,
                 With(0, false, false, true),
                 {132, 130, 132, 255},
                 {0, 0, 0, 0},
                 {0, 0, 0, 0}},
        // Black_White has no key colour: a transparent pixel is ink.
        FormCase{"KeyedBlackWhite",
                 PixelForm::BlackWhite,
                 With(0, false, false, true),
                 {255, 255, 255, 255},
                 {255, 255, 255, 255},
                 {0, 0, 0, 255}}),
    [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(ModuleView, DitheringShowsAsTheStoredLevels) {
  EncodeSettings ordered;
  ordered.dither = Dither::Ordered;
  const WorkingBitmap flat(8, 8, Rgb{130, 130, 130});
  auto shown = ModuleView(flat, PixelForm::R5G6B5, ordered);
  ASSERT_TRUE(shown);
  // Both neighbouring levels of the grey appear, nothing else.
  bool low = false, high = false;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const Rgba p = At(*shown, x, y);
      EXPECT_TRUE(p.r == 132 || p.r == 123) << p.r;
      low |= p.r == 123;
      high |= p.r == 132;
    }
  }
  EXPECT_TRUE(low && high);
}

TEST(ModuleView, FourBitArgbKeepsTheTopNibbles) {
  ArgbPicture picture;
  picture.colours = WorkingBitmap(2, 1, {0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF});
  picture.alpha = {0x80, 0x00};
  auto shown = ModuleView(picture, With(0, false, true));
  ASSERT_TRUE(shown);
  EXPECT_EQ(At(*shown, 0, 0), (Rgba{0x11, 0x33, 0x55, 0x88}));
  EXPECT_EQ(At(*shown, 1, 0), (Rgba{0xFF, 0xFF, 0xFF, 0x00}));
}

TEST(ModuleView, TheMainWindowsFormFollowsTheTick) {
  tools::TempFolder folder;
  tools::PngImage rgba{2, 1, 6, 8, {0x12, 0x34, 0x56, 0x80, 0, 0, 0, 0xFF}, {}};
  folder.Write("a.png", tools::EncodePng(rgba));
  tools::PngImage rgb{2, 1, 2, 8, {0x12, 0x34, 0x56, 0, 0, 0}, {}};
  folder.Write("b.png", tools::EncodePng(rgb));
  const WorkingBitmap preview(2, 1, {0x12, 0x34, 0x56, 8, 4, 8});

  PictureSettings settings;
  settings.argb_png = true;
  auto argb = ModuleView(preview, true, kPng, folder.File("a.png"), settings);
  ASSERT_TRUE(argb);
  EXPECT_EQ(At(*argb, 0, 0), (Rgba{0x11, 0x33, 0x55, 0x88}));
  EXPECT_EQ(At(*argb, 1, 0), (Rgba{0, 0, 0, 0xFF}));

  // A PNG without alpha stores zeros: nothing shows.
  auto none = ModuleView(preview, false, kPng, folder.File("b.png"), settings);
  ASSERT_TRUE(none);
  EXPECT_EQ(At(*none, 0, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(none->width, 2);

  // Not a PNG: the pixel format decides, keying included.
  settings.pixel_format_index = 2;
  auto bw = ModuleView(preview, true, kBmp, folder.File("a.png"), settings);
  ASSERT_TRUE(bw);
  EXPECT_EQ(At(*bw, 1, 0), (Rgba{255, 255, 255, 255}));

  // A file that is gone is an error, not an empty picture.
  EXPECT_FALSE(ModuleView(preview, true, kPng, folder.File("gone.png"), settings));
}

TEST(ModuleView, GifFramesUseTheGifForms) {
  GifSettings settings;
  settings.pixel_format_index = 1;
  auto shown = ModuleView(Strip(), settings);
  ASSERT_TRUE(shown);
  EXPECT_EQ(At(*shown, 1, 0), (Rgba{1, 1, 1, 255}));
  settings.pixel_format_index = 0;
  shown = ModuleView(Strip(), settings);
  ASSERT_TRUE(shown);
  EXPECT_EQ(At(*shown, 0, 0), (Rgba{132, 130, 132, 255}));
}

}  // namespace
}  // namespace picture
