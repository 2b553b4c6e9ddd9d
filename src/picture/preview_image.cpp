#include "picture/preview_image.h"

namespace picture {

QImage PreviewImage(const WorkingBitmap& bitmap) {
  if (bitmap.Empty())
    return {};
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::copy(bitmap.Row(y), bitmap.Row(y) + bitmap.Stride(), image.scanLine(y));
  }
  return image;
}

}  // namespace picture
