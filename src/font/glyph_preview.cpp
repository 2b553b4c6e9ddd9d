#include "font/glyph_preview.h"

namespace font {

namespace {

constexpr picture::Rgb kGrid{0x77, 0x77, 0x77};

void FillBlock(picture::WorkingBitmap& image, int x, int y, picture::Rgb colour) {
  for (int row = 4 * y + 1; row <= 4 * y + 3; ++row)
    for (int column = 4 * x + 1; column <= 4 * x + 3; ++column)
      image.SetPixel(column, row, colour);
}

}  // namespace

GlyphPreviews ZoomedPreviews(const picture::WorkingBitmap& raster, int limit) {
  const int width = 4 * raster.Width() + 1;
  const int height = 4 * raster.Height() + 1;
  GlyphPreviews previews{picture::WorkingBitmap(width, height, kGrid),
                         picture::WorkingBitmap(width, height, kGrid)};
  for (int y = 0; y < raster.Height(); ++y) {
    for (int x = 0; x < raster.Width(); ++x) {
      const picture::Rgb pixel = raster.Pixel(x, y);
      FillBlock(previews.system, x, y, pixel);
      FillBlock(previews.user, x, y,
                pixel.r <= limit ? picture::Rgb{0, 0, 0} : picture::Rgb{255, 255, 255});
    }
  }
  return previews;
}

}  // namespace font
