#include "picture/picture_option_controls.h"

#include <QHBoxLayout>
#include <QLabel>

namespace picture {

namespace {
template <class Widget>
Widget* Named(Widget* widget, const char* name, QBoxLayout* layout) {
  widget->setObjectName(name);
  layout->addWidget(widget);
  return widget;
}
}  // namespace

int PixelFormatIndex(const QComboBox& formats) {
  const int index = formats.currentIndex();
  return formats.currentText() == formats.itemText(index) ? index : -1;
}

QPushButton* ControlColumn::Button(const char* name, const char* caption) {
  return Named(new QPushButton(caption, panel_), name, layout_);
}

QCheckBox* ControlColumn::CheckBox(const char* name, const char* caption) {
  return Named(new QCheckBox(caption, panel_), name, layout_);
}

std::pair<QCheckBox*, QCheckBox*> ControlColumn::Mirrors() {
  auto* row = new QHBoxLayout;
  layout_->addLayout(row);
  auto* x = new QCheckBox("ReverseX", panel_);
  auto* y = new QCheckBox("ReverseY", panel_);
  x->setObjectName("CheckBoxX");
  y->setObjectName("CheckBoxY");
  row->addWidget(x);
  row->addWidget(y);
  return {x, y};
}

QComboBox* ControlColumn::PixelFormats(const QStringList& formats) {
  auto* box = Named(new QComboBox(panel_), "ComboBox1", layout_);
  box->setEditable(true);
  box->addItems(formats);
  box->setCurrentIndex(0);
  return box;
}

platform::RadioGroup* ControlColumn::ColourOrder() {
  auto* group =
      Named(new platform::RadioGroup("RGB", {"RGB", "BGR"}, panel_, 2), "RadioGroup1", layout_);
  group->SetItemIndex(0);
  return group;
}

platform::RadioGroup* ControlColumn::Rotation() {
  auto* group = Named(
      new platform::RadioGroup("Rotation", {"0 Degree", "R 90 Degree", "L 90 Degree"}, panel_, 2),
      "RadioGroup2", layout_);
  group->SetItemIndex(0);
  return group;
}

QComboBox* ControlColumn::DitherList() {
  auto* row = new QHBoxLayout;
  auto* caption = new QLabel("Dither", panel_);
  caption->setObjectName("LabelDither");
  auto* box = new QComboBox(panel_);
  box->setObjectName("ComboBoxDither");
  box->addItems({"None", "Ordered", "Diffusion"});
  box->setCurrentIndex(0);
  caption->setBuddy(box);
  row->addWidget(caption);
  row->addWidget(box, 1);
  layout_->addLayout(row);
  return box;
}

QLineEdit* ControlColumn::Field(const char* name, const char* caption, const QString& text) {
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(caption, panel_);
  auto* field = new QLineEdit(text, panel_);
  field->setObjectName(name);
  label->setBuddy(field);
  row->addWidget(label);
  row->addWidget(field, 1);
  layout_->addLayout(row);
  return field;
}

}  // namespace picture
