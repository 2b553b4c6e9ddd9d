#pragma once
// The font chooser of the font window. The window draws glyphs by their height in
// pixels, so the chooser asks for pixels too (the desktop's own font dialog offers
// points only): face, pixel height and the four styles.

#include <QDialog>
#include <QFont>
#include <optional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QSpinBox;

namespace platform {

class PixelFontDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit PixelFontDialog(const QFont& initial, QWidget* parent = nullptr);

  // The font as chosen, its size given in pixels.
  [[nodiscard]] QFont ChosenFont() const;

  // Shows the dialog; nothing when it is cancelled.
  static std::optional<QFont> Choose(const QFont& initial, QWidget* parent);

 private:
  void ShowSample();

  QFontComboBox* face_;
  QSpinBox* pixel_height_;
  QCheckBox* bold_;
  QCheckBox* italic_;
  QCheckBox* underline_;
  QCheckBox* strike_out_;
  QLabel* sample_;
};

}  // namespace platform
