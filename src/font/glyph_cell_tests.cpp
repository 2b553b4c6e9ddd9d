#include "font/glyph_cell.h"

#include <gtest/gtest.h>

#include "font/glyph_preview.h"
#include "font/test_drawers.h"

namespace font {
namespace {

using picture::Rgb;
using picture::WorkingBitmap;

// Where the single ink pixel at the cell's top-left lands.
struct DotCase {
  const char* name;
  int width, height, rotation;
  bool reverse_x, reverse_y;
  int raster_width, raster_height, ink_x, ink_y;
};

// gtest shows a case by its name, not by its bytes.
void PrintTo(const DotCase& c, std::ostream* out) {
  *out << c.name;
}

class DotMoves : public ::testing::TestWithParam<DotCase> {};

TEST_P(DotMoves, InkPixelLandsWhereTheTurnAndMirrorsPutIt) {
  const DotCase& c = GetParam();
  testing::DotDrawer drawer;
  const WorkingBitmap raster =
      RenderGlyph(drawer, u"x", {c.width, c.height, 0, 0, c.rotation, c.reverse_x, c.reverse_y});
  ASSERT_EQ(raster.Width(), c.raster_width);
  ASSERT_EQ(raster.Height(), c.raster_height);
  for (int y = 0; y < raster.Height(); ++y)
    for (int x = 0; x < raster.Width(); ++x)
      EXPECT_EQ(raster.Pixel(x, y).r, x == c.ink_x && y == c.ink_y ? 0 : 255) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DotMoves,
    ::testing::Values(DotCase{"Upright", 16, 24, kNoRotation, false, false, 16, 24, 0, 0},
                      // Clockwise: the top-left goes to the top-right of the turned raster.
                      DotCase{"Right90", 16, 24, kRight90, false, false, 24, 16, 23, 0},
                      // Counter-clockwise: to the bottom-left.
                      DotCase{"Left90", 16, 24, kLeft90, false, false, 24, 16, 0, 15},
                      DotCase{"ReverseX", 16, 24, kNoRotation, true, false, 16, 24, 15, 0},
                      DotCase{"ReverseY", 16, 24, kNoRotation, false, true, 16, 24, 0, 23},
                      DotCase{"HalfTurn", 16, 24, kNoRotation, true, true, 16, 24, 15, 23},
                      // Mirrors come after the turn.
                      DotCase{"Right90ThenReverseX", 16, 24, kRight90, true, false, 24, 16, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReverseColumns, KeepsTheMiddleColumnOfAnOddWidth) {
  WorkingBitmap raster(3, 1);
  raster.SetPixel(0, 0, {1, 1, 1});
  raster.SetPixel(1, 0, {2, 2, 2});
  raster.SetPixel(2, 0, {3, 3, 3});
  ReverseColumns(raster);
  EXPECT_EQ(raster.Pixel(0, 0), (Rgb{3, 3, 3}));
  EXPECT_EQ(raster.Pixel(1, 0), (Rgb{2, 2, 2}));
  EXPECT_EQ(raster.Pixel(2, 0), (Rgb{1, 1, 1}));
}

TEST(ReverseBoth, EqualsAHalfTurn) {
  WorkingBitmap raster(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      raster.SetPixel(x, y, {std::uint8_t(x * 10 + y), 0, 0});
  WorkingBitmap mirrored = raster;
  ReverseColumns(mirrored);
  ReverseRows(mirrored);
  EXPECT_EQ(mirrored, TurnGlyph(TurnGlyph(raster, kRight90), kRight90));
}

TEST(ConvertToGray, UsesTheSinglePrecisionWeightsAndTruncates) {
  const struct {
    Rgb in;
    int gray;
  } cases[] = {
      {{255, 0, 0}, 76}, {{0, 255, 0}, 149},     {{0, 0, 255}, 29},      {{200, 200, 200}, 200},
      {{0, 0, 0}, 0},    {{254, 254, 254}, 254}, {{255, 255, 254}, 254}, {{1, 1, 1}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b));
    WorkingBitmap raster(1, 1, c.in);
    ConvertToGray(raster);
    EXPECT_EQ(raster.Pixel(0, 0),
              (Rgb{std::uint8_t(c.gray), std::uint8_t(c.gray), std::uint8_t(c.gray)}));
  }
  for (int v = 0; v < 255; ++v) {
    WorkingBitmap raster(1, 1, Rgb{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
    ConvertToGray(raster);
    EXPECT_EQ(raster.Pixel(0, 0).r, v);
  }
}

TEST(GlyphSize, FollowsTheTurnedRaster) {
  const struct {
    int width, height, rotation;
    std::size_t size;
  } cases[] = {{16, 16, kNoRotation, 32}, {12, 16, kNoRotation, 16}, {16, 24, kRight90, 48},
               {16, 24, kLeft90, 48},     {7, 16, kNoRotation, 0},   {0, 16, kNoRotation, 0},
               {24, 24, kNoRotation, 72}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " r" << c.rotation);
    GlyphCell cell{c.width, c.height, 0, 0, c.rotation, false, false};
    EXPECT_EQ(GlyphSize(cell), c.size);
    testing::DotDrawer drawer;
    EXPECT_EQ(PackGlyph(RenderGlyph(drawer, u"x", cell), 200).size(), c.size);
  }
}

TEST(PackGlyph, RowsTopDownMostSignificantBitLeftmost) {
  WorkingBitmap raster(16, 2);
  raster.SetPixel(0, 0, {0, 0, 0});   // byte 0, bit 7
  raster.SetPixel(9, 0, {0, 0, 0});   // byte 1, bit 6
  raster.SetPixel(7, 1, {0, 0, 0});   // byte 2, bit 0
  raster.SetPixel(15, 1, {0, 0, 0});  // byte 3, bit 0
  EXPECT_EQ(PackGlyph(raster, 200), (platform::Bytes{0x80, 0x40, 0x01, 0x01}));
}

TEST(PackGlyph, ColumnsBeyondTheLastFullByteAreDropped) {
  WorkingBitmap raster(12, 1);
  raster.SetPixel(8, 0, {0, 0, 0});
  raster.SetPixel(11, 0, {0, 0, 0});
  raster.SetPixel(3, 0, {0, 0, 0});
  EXPECT_EQ(PackGlyph(raster, 200), (platform::Bytes{0x10}));
}

TEST(PackGlyph, TheLimitIsStrictWhereThePreviewIsNot) {
  WorkingBitmap raster(8, 1);
  raster.SetPixel(0, 0, {200, 200, 200});
  raster.SetPixel(1, 0, {199, 199, 199});
  EXPECT_EQ(PackGlyph(raster, 200), (platform::Bytes{0x40}));
  EXPECT_EQ(PackGlyph(raster, 0), (platform::Bytes{0x00}));
  EXPECT_EQ(PackGlyph(WorkingBitmap(8, 1), 255), (platform::Bytes{0x00}));

  const GlyphPreviews previews = ZoomedPreviews(raster, 200);
  EXPECT_EQ(previews.user.Pixel(1, 1), (Rgb{0, 0, 0}));  // gray 200 shows black
  EXPECT_EQ(previews.user.Pixel(5, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(previews.user.Pixel(9, 1), (Rgb{255, 255, 255}));
}

TEST(ZoomedPreviews, ThreeByThreeBlocksOnAGrayGrid) {
  WorkingBitmap raster(2, 1);
  raster.SetPixel(0, 0, {100, 100, 100});
  const GlyphPreviews previews = ZoomedPreviews(raster, 200);
  ASSERT_EQ(previews.system.Width(), 9);
  ASSERT_EQ(previews.system.Height(), 5);
  const Rgb grid{0x77, 0x77, 0x77};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(previews.system.Pixel(i, 0), grid);
    EXPECT_EQ(previews.system.Pixel(i, 4), grid);
  }
  EXPECT_EQ(previews.system.Pixel(4, 2), grid);
  EXPECT_EQ(previews.system.Pixel(2, 2), (Rgb{100, 100, 100}));
  EXPECT_EQ(previews.system.Pixel(6, 3), (Rgb{255, 255, 255}));
  EXPECT_EQ(previews.user.Pixel(2, 2), (Rgb{0, 0, 0}));
}

TEST(ReadCell, EmptyFieldsGiveThePlatformsConversionError) {
  GlyphSettings settings;
  settings.width_text = "";
  EXPECT_EQ(ReadCell(settings).error().text, "'' is not a valid integer value");
  settings.width_text = "16";
  settings.height_text = "1x";
  EXPECT_EQ(ReadCell(settings).error().text, "'1x' is not a valid integer value");
  settings.height_text = "016";
  EXPECT_EQ(ReadCell(settings)->height, 16);
  settings.gray_limit_text = "";
  EXPECT_EQ(ReadGrayLimit(settings).error().text, "'' is not a valid integer value");
  settings.width_text = "99999";
  settings.height_text = "99999";
  EXPECT_EQ(ReadCell(settings).error().text, "Out of memory");
}

TEST(NormaliseGrayLimit, CapsAt255AndDropsLeadingZeros) {
  EXPECT_EQ(*NormaliseGrayLimit("999"), "255");
  EXPECT_EQ(*NormaliseGrayLimit("256"), "255");
  EXPECT_EQ(*NormaliseGrayLimit("255"), "255");
  EXPECT_EQ(*NormaliseGrayLimit("0200"), "200");
  EXPECT_EQ(NormaliseGrayLimit("").error().text, "'' is not a valid integer value");
}

TEST(RenderGlyph, OffsetsCanPushTheTextOutOfTheCell) {
  testing::DotDrawer drawer;
  const WorkingBitmap raster = RenderGlyph(drawer, u"x", {16, 16, -1, 20, 0, false, false});
  EXPECT_EQ(raster, WorkingBitmap(16, 16));
}

}  // namespace
}  // namespace font
