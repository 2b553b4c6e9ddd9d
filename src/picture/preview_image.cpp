#include "picture/preview_image.h"

#include <QPainter>

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

QImage RgbaImage(const DecodedPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0)
    return {};
  QImage image(picture.width, picture.height, QImage::Format_RGBA8888);
  const std::size_t row = std::size_t(picture.width) * 4;
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(picture.rgba.data() + std::size_t(y) * row, row, image.scanLine(y));
  }
  return image;
}

QImage PreviewImage(const DecodedPicture& picture) {
  const QImage rgba = RgbaImage(picture);
  if (rgba.isNull())
    return {};
  QImage shown(rgba.size(), QImage::Format_RGB32);
  for (int y = 0; y < shown.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x)
      line[x] = CheckerAt(x, y);
  }
  QPainter painter(&shown);
  painter.drawImage(0, 0, rgba);
  return shown;
}

}  // namespace picture
