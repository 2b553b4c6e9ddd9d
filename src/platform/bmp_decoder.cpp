// BMP through Qt's image reader: every depth, bottom-up and top-down, RLE and bit fields.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "platform/bmp_header.h"
#include "platform/decoder_memory.h"
#include "platform/picture_decoders.h"
#include "platform/qt_message_capture.h"

namespace platform {

namespace {

// Qt's reason, with whatever Qt said on the way.
Message QtFailure(const QImageReader& reader, const QtMessageCapture& messages) {
  std::string reason = "BMP: " + reader.errorString().toStdString();
  if (!messages.Text().empty())
    reason += " (" + messages.Text() + ")";
  return Error(reason);
}

Result<DecodedPicture> Decode(std::span<const std::uint8_t> file) {
  const auto header = ReadBmpHeader(file);
  if (!header)
    return header.error();
  if (auto present = CheckBmpPixelData(*header, file); !present)
    return present.error();

  const QtMessageCapture messages;
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                            static_cast<qsizetype>(file.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  QImage image = reader.read();
  if (image.isNull())
    return QtFailure(reader, messages);
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

}  // namespace

Result<DecodedPicture> DecodeBmp(std::span<const std::uint8_t> file) {
  return FailOnOutOfMemory("BMP: ", [file] { return Decode(file); });
}

Result<PictureDimensions> BmpDimensions(std::span<const std::uint8_t> file) {
  const auto header = ReadBmpHeader(file);
  if (!header)
    return header.error();
  if (!PictureSizeAcceptable(header->width, header->height))
    return Error("BMP: picture too large");
  return PictureDimensions{static_cast<int>(header->width), static_cast<int>(header->height)};
}

}  // namespace platform
