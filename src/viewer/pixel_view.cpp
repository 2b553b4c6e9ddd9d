#include "viewer/pixel_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "picture/preview_image.h"

namespace viewer {

PixelView::PixelView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelView::SetImage(const QImage& image) {
  image_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGBA8888);
  resize(sizeHint());
  update();
}

void PixelView::SetZoom(int zoom) {
  zoom_ = std::max(zoom, 1);
  resize(sizeHint());
  update();
}

QSize PixelView::sizeHint() const {
  return image_.size() * zoom_;
}

void PixelView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // The checkerboard in screen squares, so it reads as background at every zoom.
  const int square = picture::kCheckerSquare;
  for (int y = area.top() / square * square; y <= area.bottom(); y += square) {
    for (int x = area.left() / square * square; x <= area.right(); x += square)
      painter.fillRect(x, y, square, square, QColor::fromRgb(picture::CheckerAt(x, y)));
  }
  if (image_.isNull())
    return;
  // Only the picture pixels the area touches, each scaled to a whole square.
  const QRect source = QRect(QPoint(area.left() / zoom_, area.top() / zoom_),
                             QPoint(area.right() / zoom_, area.bottom() / zoom_))
                           .intersected(image_.rect());
  if (source.isEmpty())
    return;
  const QRect target(source.topLeft() * zoom_, source.size() * zoom_);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, image_, source);
}

void PixelView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QPoint pixel(at.x() / zoom_, at.y() / zoom_);
  if (at.x() >= 0 && at.y() >= 0 && image_.rect().contains(pixel))
    emit Hovered(pixel.x(), pixel.y());
  else
    emit Hovered(-1, -1);
  QWidget::mouseMoveEvent(event);
}

void PixelView::leaveEvent(QEvent* event) {
  emit Hovered(-1, -1);
  QWidget::leaveEvent(event);
}

void PixelView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
    QWidget::wheelEvent(event);  // the scrolling area scrolls
    return;
  }
  emit ZoomStep(event->angleDelta().y() > 0 ? 1 : -1);
  event->accept();
}

}  // namespace viewer
