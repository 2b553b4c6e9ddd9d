#pragma once
// The option controls the main window and the GIF window share, made with their names,
// captions and defaults, and added to the panel's column in the order given.

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <utility>

#include "platform/radio_group.h"

namespace picture {

// The pixel format list's index, or -1 when its text was typed over.
int PixelFormatIndex(const QComboBox& formats);

class ControlColumn {
 public:
  ControlColumn(QWidget* panel, QBoxLayout* layout) : panel_(panel), layout_(layout) {}

  QPushButton* Button(const char* name, const char* caption);
  QCheckBox* CheckBox(const char* name, const char* caption);
  // "CheckBoxX" ("ReverseX") and "CheckBoxY" ("ReverseY"), side by side.
  std::pair<QCheckBox*, QCheckBox*> Mirrors();
  // "ComboBox1": the pixel formats, the first selected; its text can be typed over.
  QComboBox* PixelFormats(const QStringList& formats);
  // "RadioGroup1" ("RGB": "RGB", "BGR") and "RadioGroup2" ("Rotation"), first item selected.
  platform::RadioGroup* ColourOrder();
  platform::RadioGroup* Rotation();
  // "ComboBoxDither": "None", "Ordered", "Diffusion", the first selected, captioned "Dither".
  QComboBox* DitherList();
  // A text field on one row with its caption before it.
  QLineEdit* Field(const char* name, const char* caption, const QString& text);

 private:
  QWidget* panel_;
  QBoxLayout* layout_;
};

}  // namespace picture
