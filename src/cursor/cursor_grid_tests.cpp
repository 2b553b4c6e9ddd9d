#include "cursor/cursor_grid.h"

#include <gtest/gtest.h>

#include "cursor/cursor_picture.h"
#include "cursor/preview_png.h"
#include "platform/picture_decoders.h"

namespace cursor {
namespace {

TEST(CursorGrid, SquaresSitBetweenGrayGridLines) {
  CursorImage image;
  image.Set(0, 0, kCode0);
  image.Set(31, 31, kCodeBlack);
  const picture::WorkingBitmap grid = GridBitmap(image);
  ASSERT_EQ(grid.Width(), 289);
  ASSERT_EQ(grid.Height(), 289);
  const struct {
    int x, y;
    picture::Rgb colour;
  } points[] = {
      {0, 0, kGridLineColour},
      {9, 5, kGridLineColour},
      {5, 288, kGridLineColour},
      {1, 1, {255, 0, 0}},
      {8, 8, {255, 0, 0}},
      {10, 10, {255, 255, 255}},
      {9 * 31 + 1, 9 * 31 + 8, {0, 0, 0}},
      {288, 288, kGridLineColour},
  };
  for (const auto& p : points) {
    SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
    EXPECT_EQ(grid.Pixel(p.x, p.y), p.colour);
  }
}

TEST(CursorGrid, PointsNameThePixelOfTheirSquare) {
  EXPECT_EQ(PixelOfGrid(0), 0);
  EXPECT_EQ(PixelOfGrid(8), 0);
  EXPECT_EQ(PixelOfGrid(9), 1);
  EXPECT_EQ(PixelOfGrid(287), 31);
  EXPECT_EQ(PixelOfGrid(288), 32);  // outside the picture
  EXPECT_EQ(PixelOfGrid(-5), 0);    // toward zero
}

TEST(PreviewPng, DecodesBackToTheSamePixels) {
  CursorImage image;
  image.Set(3, 4, kCode1);
  const picture::WorkingBitmap grid = GridBitmap(image);  // more than one stored block
  const auto decoded = platform::DecodePng(EncodePreviewPng(grid));
  ASSERT_TRUE(decoded.ok()) << decoded.error().text;
  EXPECT_EQ(decoded->width, 289);
  EXPECT_EQ(decoded->height, 289);
  EXPECT_EQ(decoded->rgb, grid.Samples());
}

}  // namespace
}  // namespace cursor
