// BMP through Qt's image reader: every depth, bottom-up and top-down, RLE and bit fields.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "platform/picture_decoders.h"

namespace platform {

Result<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> file) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                            static_cast<qsizetype>(file.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  const QSize size = reader.size();
  if (size.isValid() && !PictureSizeAcceptable(size.width(), size.height())) {
    return Error("BMP: picture too large");
  }
  QImage image = reader.read();
  if (image.isNull())
    return Error("BMP: " + reader.errorString().toStdString());
  // An alpha channel plays no part: take each pixel's colour as it is stored.
  if (image.hasAlphaChannel())
    image = image.convertToFormat(QImage::Format_ARGB32);
  image = image.convertToFormat(QImage::Format_RGB888);

  DecodedPicture picture;
  picture.width = image.width();
  picture.height = image.height();
  const std::size_t stride = std::size_t(picture.width) * 3;
  picture.rgb.resize(stride * std::size_t(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    const uchar* row = image.constScanLine(y);
    std::copy(row, row + stride, picture.rgb.data() + stride * std::size_t(y));
  }
  return picture;
}

}  // namespace platform
