#pragma once
// A picture drawn at an integer zoom, each picture pixel a square of zoom x zoom screen
// pixels (no smoothing), with a checkerboard behind what is transparent. Tells which
// picture pixel the mouse is over.

#include <QImage>
#include <QWidget>

namespace viewer {

class PixelView : public QWidget {
  Q_OBJECT

 public:
  explicit PixelView(QWidget* parent = nullptr);

  // An RGBA picture, or a null image for none.
  void SetImage(const QImage& image);
  [[nodiscard]] const QImage& Image() const { return image_; }
  void SetZoom(int zoom);
  [[nodiscard]] int Zoom() const { return zoom_; }

  [[nodiscard]] QSize sizeHint() const override;

 signals:
  // The picture pixel under the mouse; (-1, -1) when it left the picture.
  void Hovered(int x, int y);
  // Ctrl and the wheel: +1 for a step in, -1 out.
  void ZoomStep(int step);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage image_;
  int zoom_ = 1;
};

}  // namespace viewer
