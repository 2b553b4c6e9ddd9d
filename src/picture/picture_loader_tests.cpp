#include "picture/picture_loader.h"

#include <gtest/gtest.h>

#include "picture/picture_folder.h"
#include "picture/pixel_encoders.h"
#include "picture_writer.h"
#include "platform/message.h"
#include "temp_folder.h"

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One-row RGBA PNG of the given pixels (R, G, B, A each).
Bytes RgbaPng(const Bytes& rgba) {
  return tools::EncodePng({int(rgba.size() / 4), 1, 6, 8, rgba, {}});
}

TEST(PictureKind, FirstTextFoundAfterTheFirstCharacterDecides) {
  struct Case {
    const char* path;
    PictureKind kind;
  } cases[] = {
      {"/pics/logo.png", kPng}, {"/pics/logo.PNG", kPng}, {"a.jpg", kJpeg},
      {"a.JPEG", kJpeg},        {"a.bmp", kBmp},          {"a.BMP", kBmp},
      {"a.Png", kNoPicture},    {"a.gif", kNoPicture},    {".png", kNoPicture},
      {"/x.png/a.jpg", kPng},   {"/x.jpg/a.png", kPng},   {"a.jpeg.bmp", kJpeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(PictureKindOf(c.path), c.kind);
  }
}

TEST(PictureFolder, ExtensionIsTheTextAfterTheFirstDot) {
  for (const char* name : {"a.png", "d.BMP", "b.jpg", "c.JPEG", "x.jpeg"}) {
    EXPECT_TRUE(HasPictureExtension(name)) << name;
  }
  for (const char* name : {"photo.Png", "x.jpe", "a.b.png", "png", "c.txt"}) {
    EXPECT_FALSE(HasPictureExtension(name)) << name;
  }
}

TEST(PictureFolder, ListsTheFolderAndItsImmediateSubfolders) {
  tools::TempFolder folder;
  for (const char* name :
       {"a.png", "sub/b.jpg", "sub/c.txt", "sub/deeper/e.png", "d.BMP", "photo.Png", "x.jpe",
        ".hidden.png", "a.b.png", "Zeta.png", "aZ.png", "a_b.png"}) {
    folder.Write(name, "x");
  }
  const std::string base = folder.Path();
  EXPECT_EQ(ScanPictureFolder(base),
            (std::vector<std::string>{base + "a.png", base + "aZ.png", base + "a_b.png",
                                      base + "d.BMP", base + "sub/b.jpg", base + "Zeta.png"}));
}

TEST(PictureLoader, AlphaKeyingAtTheLimitAndTheNudgeOffBlack) {
  tools::TempFolder folder;
  folder.Write("a.png", RgbaPng({10, 20, 30, 150,  //
                                 10, 20, 30, 151,  //
                                 0, 0, 0, 255,     //
                                 1, 1, 1, 255}));
  auto r5 = LoadPicture(folder.File("a.png"), kPng, {"150", 0});
  ASSERT_TRUE(r5.ok());
  EXPECT_EQ(r5->Pixel(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(r5->Pixel(1, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(r5->Pixel(2, 0), (Rgb{8, 4, 8}));
  EXPECT_EQ(r5->Pixel(3, 0), (Rgb{9, 5, 9}));
  const Bytes encoded = EncodePicture(*r5, PixelForm::R5G6B5, {});
  EXPECT_EQ(encoded[4], 0x21);
  EXPECT_EQ(encoded[5], 0x08);

  auto other = LoadPicture(folder.File("a.png"), kPng, {"150", 2});
  ASSERT_TRUE(other.ok());
  EXPECT_EQ(other->Pixel(2, 0), (Rgb{2, 2, 2}));
  EXPECT_EQ(other->Pixel(3, 0), (Rgb{3, 3, 3}));
  // In Black_White only the transparent pixel is ink.
  EXPECT_EQ(EncodePicture(*other, PixelForm::BlackWhite, {}), (Bytes{0x80}));

  auto all_black = LoadPicture(folder.File("a.png"), kPng, {"300", 0});
  ASSERT_TRUE(all_black.ok());
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(all_black->Pixel(x, 0), (Rgb{0, 0, 0}));
}

TEST(PictureLoader, AlphaLimitTextIsReadForEveryPngOnly) {
  tools::TempFolder folder;
  folder.Write("rgb.png", tools::EncodePng({1, 1, 2, 8, {1, 2, 3}, {}}));
  folder.Write("a.bmp", tools::EncodeBmp24(1, 1, {1, 2, 3}));
  EXPECT_FALSE(LoadPicture(folder.File("rgb.png"), kPng, {"", 0}).ok());
  EXPECT_FALSE(LoadPicture(folder.File("rgb.png"), kPng, {"1x", 0}).ok());
  EXPECT_TRUE(LoadPicture(folder.File("a.bmp"), kBmp, {"", 0}).ok());
  auto rgb = LoadPicture(folder.File("rgb.png"), kPng, {"150", 0});
  ASSERT_TRUE(rgb.ok());
  EXPECT_EQ(rgb->Pixel(0, 0), (Rgb{1, 2, 3}));  // no alpha channel: not keyed
}

TEST(PictureLoader, PngColourTypesAndDepths) {
  tools::TempFolder folder;
  struct Case {
    const char* name;
    tools::PngImage image;
    Rgb first;
  } cases[] = {
      {"grey8.png", {2, 1, 0, 8, {0x40, 0x80}, {}}, {0x40, 0x40, 0x40}},
      {"grey1.png", {2, 1, 0, 1, {0x80}, {}}, {255, 255, 255}},
      // The writer takes 16-bit samples in host byte order.
      {"rgb16.png", {1, 1, 2, 16, {0x99, 0x12, 0x00, 0x34, 0xFF, 0x56}, {}}, {0x12, 0x34, 0x56}},
      {"palette.png", {2, 1, 3, 8, {1, 0}, {9, 8, 7, 100, 110, 120}}, {100, 110, 120}},
      {"palette4.png", {2, 1, 3, 4, {0x10}, {9, 8, 7, 100, 110, 120}}, {100, 110, 120}},
      {"greyalpha.png", {1, 1, 4, 8, {0x50, 0xFF}, {}}, {0x50, 0x50, 0x50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write(c.name, tools::EncodePng(c.image));
    auto loaded = LoadPicture(folder.File(c.name), kPng, {});
    ASSERT_TRUE(loaded.ok()) << loaded.error().text;
    EXPECT_EQ(loaded->Width(), c.image.width);
    EXPECT_EQ(loaded->Pixel(0, 0), c.first);
  }
}

TEST(PictureLoader, JpegBaselineProgressiveAndGrey) {
  tools::TempFolder folder;
  const Bytes rgb(16 * 8 * 3, 200);
  folder.Write("base.jpg", tools::EncodeJpeg(16, 8, rgb, false, false, 100));
  folder.Write("prog.jpg", tools::EncodeJpeg(16, 8, rgb, false, true, 100));
  folder.Write("grey.jpg", tools::EncodeJpeg(16, 8, Bytes(16 * 8, 90), true, false, 100));
  for (const char* name : {"base.jpg", "prog.jpg"}) {
    auto loaded = LoadPicture(folder.File(name), kJpeg, {});
    ASSERT_TRUE(loaded.ok()) << name;
    EXPECT_EQ(loaded->Width(), 16);
    EXPECT_NEAR(loaded->Pixel(5, 5).g, 200, 2) << name;
  }
  auto grey = LoadPicture(folder.File("grey.jpg"), kJpeg, {});
  ASSERT_TRUE(grey.ok());
  const Rgb pixel = grey->Pixel(3, 3);
  EXPECT_EQ(pixel.r, pixel.g);
  EXPECT_EQ(pixel.g, pixel.b);
}

TEST(PictureLoader, CmykJpegBecomesRgb) {
  tools::TempFolder folder;
  Bytes cmyk;
  for (int i = 0; i < 8 * 8; ++i)
    cmyk.insert(cmyk.end(), {255, 0, 255, 255});  // magenta ink only
  folder.Write("cmyk.jpg", tools::EncodeCmykJpeg(8, 8, cmyk));
  auto loaded = LoadPicture(folder.File("cmyk.jpg"), kJpeg, {});
  ASSERT_TRUE(loaded.ok()) << loaded.error().text;
  const Rgb pixel = loaded->Pixel(4, 4);
  EXPECT_GE(pixel.r, 250);
  EXPECT_LE(pixel.g, 5);
  EXPECT_GE(pixel.b, 250);
}

TEST(PictureLoader, BrokenFilesFailWithoutCrashing) {
  tools::TempFolder folder;
  const Bytes png = tools::EncodePng({4, 4, 2, 8, Bytes(48, 1), {}});
  folder.Write("cut.png", Bytes(png.begin(), png.begin() + long(png.size() / 2)));
  folder.Write("text.jpg", "not a jpeg");
  folder.Write("empty.bmp", "");
  // A header claiming 100000 x 100000 pixels is refused before anything is allocated.
  Bytes huge = png;
  huge[16] = 0x00, huge[17] = 0x01, huge[18] = 0x86, huge[19] = 0xA0;
  huge[20] = 0x00, huge[21] = 0x01, huge[22] = 0x86, huge[23] = 0xA0;
  folder.Write("huge.png", huge);
  EXPECT_FALSE(LoadPicture(folder.File("cut.png"), kPng, {}).ok());
  EXPECT_FALSE(LoadPicture(folder.File("text.jpg"), kJpeg, {}).ok());
  EXPECT_FALSE(LoadPicture(folder.File("empty.bmp"), kBmp, {}).ok());
  EXPECT_FALSE(LoadPicture(folder.File("huge.png"), kPng, {}).ok());
  EXPECT_FALSE(LoadPicture(folder.File("missing.png"), kPng, {}).ok());
}

TEST(PictureLoader, ArgbPictureIsRotatedWithItsAlpha) {
  tools::TempFolder folder;
  folder.Write("two.png", tools::EncodePng({2, 1, 6, 8, {1, 2, 3, 0x10, 4, 5, 6, 0x20}, {}}));
  folder.Write("rgb.png", tools::EncodePng({1, 1, 2, 8, {1, 2, 3}, {}}));
  auto rotated = LoadArgbPicture(folder.File("two.png"), 1);
  ASSERT_TRUE(rotated.ok());
  EXPECT_EQ(rotated->colours.Width(), 1);
  EXPECT_EQ(rotated->colours.Height(), 2);
  EXPECT_EQ(rotated->colours.Pixel(0, 1), (Rgb{4, 5, 6}));
  EXPECT_EQ(rotated->alpha, (Bytes{0x10, 0x20}));
  auto without = LoadArgbPicture(folder.File("rgb.png"), 0);
  ASSERT_FALSE(without.ok());
  EXPECT_EQ(without.error(), platform::Warning("The png don't have Alpha"));
}

}  // namespace
}  // namespace picture
