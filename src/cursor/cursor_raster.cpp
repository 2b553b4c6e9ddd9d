#include "cursor/cursor_raster.h"

#include <QPainter>
#include <algorithm>

#include "cursor/cursor_grid.h"

namespace cursor {

namespace {

QColor ToQColor(picture::Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

QPainter& Aliased(QPainter& painter, const QColor& pen) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(pen, 1));
  return painter;
}

void DrawLine(QImage& raster, QPoint start, QPoint end, const QColor& pen) {
  const bool end_inside = raster.valid(end);
  const QRgb end_before = end_inside ? raster.pixel(end) : 0;
  {
    QPainter painter(&raster);
    Aliased(painter, pen).drawLine(start, end);
  }
  if (end_inside)
    raster.setPixel(end, end_before);  // the end pixel is left out
}

}  // namespace

QColor QColourOfCode(int code) {
  return ToQColor(ColourOfCode(code));
}

QImage RasterOf(const CursorImage& image) {
  QImage raster(kCursorSize, kCursorSize, QImage::Format_RGB32);
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c)
      raster.setPixelColor(c, r, QColourOfCode(image.At(c, r)));
  }
  return raster;
}

CursorImage PictureOf(const QImage& raster) {
  CursorImage image;
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c) {
      const QColor colour = raster.pixelColor(c, r);
      image.Set(c, r,
                CodeOfColour({std::uint8_t(colour.red()), std::uint8_t(colour.green()),
                              std::uint8_t(colour.blue())}));
    }
  }
  return image;
}

void DrawShape(QImage& raster, Tool tool, QPoint start, QPoint end, const QColor& pen) {
  if (tool == kLineTool)
    return DrawLine(raster, start, end, pen);
  if (tool != kEllipseTool && tool != kRectangleTool)
    return;
  const QRect box(QPoint(std::min(start.x(), end.x()), std::min(start.y(), end.y())),
                  QSize(std::abs(end.x() - start.x()), std::abs(end.y() - start.y())));
  if (box.isEmpty())
    return;
  const QColor white = QColourOfCode(kCodeWhite);
  QPainter painter(&raster);
  if (tool == kRectangleTool) {
    painter.fillRect(box, pen);
    if (const QRect inside = box.adjusted(1, 1, -1, -1); inside.isValid())
      painter.fillRect(inside, white);
    return;
  }
  painter.setBrush(white);
  // An aliased one-pixel outline of QRect(x, y, w, h) covers w + 1 columns.
  Aliased(painter, pen).drawEllipse(box.adjusted(0, 0, -1, -1));
}

QImage GridImage(const CursorImage& image) {
  const picture::WorkingBitmap grid = GridBitmap(image);
  return QImage(grid.Samples().data(), grid.Width(), grid.Height(),
                static_cast<qsizetype>(grid.Stride()), QImage::Format_RGB888)
      .convertToFormat(QImage::Format_RGB32);
}

QImage ToolIcon(Tool tool) {
  QImage icon(kIconWidth, kIconHeight, QImage::Format_RGB32);
  icon.fill(ToQColor(kGridLineColour));
  QPainter painter(&icon);
  Aliased(painter, Qt::white);
  const QRect inset(5, 5, kIconWidth - 11, kIconHeight - 11);
  switch (tool) {
    case kRectangleTool:
      painter.drawRect(inset);
      break;
    case kEllipseTool:
      painter.drawEllipse(inset);
      break;
    case kLineTool:
      painter.drawLine(5, 16, kIconWidth - 5, 16);
      break;
    case kDotTool:
      painter.fillRect(30, 16, 2, 2, Qt::white);
      break;
  }
  return icon;
}

}  // namespace cursor
