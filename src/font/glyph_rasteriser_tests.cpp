// The real rasteriser with the fonts the setup script installs.
#include "platform/glyph_rasteriser.h"

#include <gtest/gtest.h>

#include "font/glyph_cell.h"

namespace font {
namespace {

int InkCount(const picture::WorkingBitmap& raster) {
  int ink = 0;
  for (int y = 0; y < raster.Height(); ++y)
    for (int x = 0; x < raster.Width(); ++x)
      ink += raster.Pixel(x, y).r < 200 ? 1 : 0;
  return ink;
}

std::unique_ptr<platform::GlyphRasteriser> Open(platform::FontChoice choice = {}) {
  auto opened = platform::GlyphRasteriser::Open(choice);
  if (!opened)
    ADD_FAILURE() << opened.error().text;
  return opened ? std::move(*opened) : nullptr;
}

TEST(GlyphRasteriser, TheDefaultFaceHasASongStandIn) {
  auto rasteriser = Open();
  ASSERT_TRUE(rasteriser);
  EXPECT_FALSE(rasteriser->FaceName().empty());
  const GlyphCell cell;
  EXPECT_GT(InkCount(RenderGlyph(*rasteriser, u"汉", cell)), 20);
  EXPECT_EQ(InkCount(RenderGlyph(*rasteriser, u" ", cell)), 0);
  // The text stays inside the 16 x 16 cell at the default position.
  const picture::WorkingBitmap raster = RenderGlyph(*rasteriser, u"华", cell);
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ(raster.Pixel(x, 15).r, 255) << x;
}

TEST(GlyphRasteriser, StylesAddInk) {
  auto plain = Open();
  platform::FontChoice choice;
  choice.underline = true;
  auto underlined = Open(choice);
  choice = {};
  choice.bold = true;
  auto bold = Open(choice);
  ASSERT_TRUE(plain && underlined && bold);
  const GlyphCell cell{24, 24, 2, 1, 0, false, false};
  const int ink = InkCount(RenderGlyph(*plain, u"A", cell));
  EXPECT_GT(InkCount(RenderGlyph(*underlined, u"A", cell)), ink);
  EXPECT_GT(InkCount(RenderGlyph(*bold, u"A", cell)), ink);
}

TEST(GlyphRasteriser, OpensAFontFileByPath) {
  auto rasteriser = Open({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 14});
  ASSERT_TRUE(rasteriser);
  EXPECT_EQ(rasteriser->FaceName(), "DejaVu Sans");
  EXPECT_GT(InkCount(RenderGlyph(*rasteriser, u"W", {})), 10);
}

TEST(GlyphRasteriser, AMissingFontFileIsAnError) {
  const auto opened = platform::GlyphRasteriser::Open({"/no/such/font.ttf", 14});
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.error().text, "Font not found: /no/such/font.ttf");
}

TEST(GlyphRasteriser, ClipsAtTheCell) {
  auto rasteriser = Open();
  ASSERT_TRUE(rasteriser);
  EXPECT_EQ(InkCount(RenderGlyph(*rasteriser, u"汉", {16, 16, 40, 1, 0, false, false})), 0);
  EXPECT_EQ(InkCount(RenderGlyph(*rasteriser, u"汉", {16, 16, -40, -40, 0, false, false})), 0);
  EXPECT_GT(InkCount(RenderGlyph(*rasteriser, u"汉", {16, 16, -8, -8, 0, false, false})), 0);
}

}  // namespace
}  // namespace font
