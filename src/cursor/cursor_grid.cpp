#include "cursor/cursor_grid.h"

namespace cursor {

picture::WorkingBitmap GridBitmap(const CursorImage& image) {
  picture::WorkingBitmap grid(kGridSize, kGridSize, kGridLineColour);
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c) {
      const picture::Rgb colour = ColourOfCode(image.At(c, r));
      for (int y = r * kSquareStep + 1; y < (r + 1) * kSquareStep; ++y) {
        for (int x = c * kSquareStep + 1; x < (c + 1) * kSquareStep; ++x)
          grid.SetPixel(x, y, colour);
      }
    }
  }
  return grid;
}

}  // namespace cursor
