#include "picture/rotation.h"

namespace picture {

WorkingBitmap RotatePicture(const WorkingBitmap& source, int rotation_index) {
  if (rotation_index != 1 && rotation_index != 2)
    return source;
  const int w = source.Width();
  const int h = source.Height();
  WorkingBitmap rotated(h, w);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = source.Row(y);
    for (int x = 0; x < w; ++x) {
      const Rgb colour{row[x * 3], row[x * 3 + 1], row[x * 3 + 2]};
      // Clockwise: the top row becomes the right-hand column.
      if (rotation_index == 1) {
        rotated.SetPixel(h - 1 - y, x, colour);
      } else {
        rotated.SetPixel(y, w - 1 - x, colour);
      }
    }
  }
  return rotated;
}

}  // namespace picture
