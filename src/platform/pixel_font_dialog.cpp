#include "platform/pixel_font_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform {

namespace {
constexpr int kLargestPixelHeight = 256;

// A font given in points is shown at its pixel height on this screen.
int PixelHeightOf(const QFont& font) {
  if (font.pixelSize() > 0)
    return font.pixelSize();
  return QFontInfo(font).pixelSize();
}
}  // namespace

PixelFontDialog::PixelFontDialog(const QFont& initial, QWidget* parent) : QDialog(parent) {
  setObjectName("PixelFontDialog");
  setWindowTitle("Font");
  face_ = new QFontComboBox(this);
  face_->setObjectName("FontFace");
  face_->setCurrentFont(initial);
  pixel_height_ = new QSpinBox(this);
  pixel_height_->setObjectName("FontPixelHeight");
  pixel_height_->setRange(1, kLargestPixelHeight);
  pixel_height_->setSuffix(" px");
  pixel_height_->setValue(PixelHeightOf(initial));
  bold_ = new QCheckBox("Bold", this);
  italic_ = new QCheckBox("Italic", this);
  underline_ = new QCheckBox("Underline", this);
  strike_out_ = new QCheckBox("Strikeout", this);
  bold_->setChecked(initial.bold());
  italic_->setChecked(initial.italic());
  underline_->setChecked(initial.underline());
  strike_out_->setChecked(initial.strikeOut());
  sample_ = new QLabel(QString::fromUtf8("AaBb 汉字"), this);
  sample_->setMinimumHeight(kLargestPixelHeight / 4);

  auto* form = new QFormLayout;
  form->addRow("Font:", face_);
  form->addRow("Height:", pixel_height_);
  auto* styles = new QHBoxLayout;
  for (QCheckBox* style : {bold_, italic_, underline_, strike_out_})
    styles->addWidget(style);
  form->addRow("Style:", styles);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(sample_, 1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(face_, &QFontComboBox::currentFontChanged, this, &PixelFontDialog::ShowSample);
  connect(pixel_height_, &QSpinBox::valueChanged, this, &PixelFontDialog::ShowSample);
  for (QCheckBox* style : {bold_, italic_, underline_, strike_out_})
    connect(style, &QCheckBox::toggled, this, &PixelFontDialog::ShowSample);
  ShowSample();
}

QFont PixelFontDialog::ChosenFont() const {
  QFont font(face_->currentFont().family());
  font.setPixelSize(pixel_height_->value());
  font.setBold(bold_->isChecked());
  font.setItalic(italic_->isChecked());
  font.setUnderline(underline_->isChecked());
  font.setStrikeOut(strike_out_->isChecked());
  return font;
}

void PixelFontDialog::ShowSample() {
  sample_->setFont(ChosenFont());
}

std::optional<QFont> PixelFontDialog::Choose(const QFont& initial, QWidget* parent) {
  PixelFontDialog dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.ChosenFont();
}

}  // namespace platform
