// The controls of TForm4, built in code.
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "font/tform4.h"

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLineEdit* Field(QWidget* parent, const char* name, const QString& text) {
  auto* field = Named(new QLineEdit(text, parent), name);
  field->setMaximumWidth(90);
  return field;
}

QScrollBar* PositionBar(QWidget* parent, const char* name) {
  auto* bar = Named(new QScrollBar(Qt::Horizontal, parent), name);
  bar->setRange(0, 100);
  bar->setValue(50);
  // Right (and Page Down) moves the text right or down, as the bar's arrow does; a
  // scroll bar inverts its keys by default.
  bar->setInvertedControls(false);
  bar->setMinimumWidth(120);
  return bar;
}

QGroupBox* PreviewBox(QWidget* parent, const char* name, const QString& caption, QLabel** image,
                      const char* image_name) {
  auto* box = Named(new QGroupBox(caption, parent), name);
  box->setFixedSize(180, 180);
  *image = Named(new QLabel(box), image_name);
  return box;
}

}  // namespace

void TForm4::BuildControls() {
  auto* settings = new QFormLayout;
  ButtonSFont = Named(new QPushButton("Select Font", this), "ButtonSFont");
  LabelFace = Named(new QLabel(this), "LabelFace");
  settings->addRow(ButtonSFont, LabelFace);
  EditFW = Field(this, "EditFW", "16");
  EditFH = Field(this, "EditFH", "16");
  settings->addRow("Font Width", EditFW);
  settings->addRow("Font Height", EditFH);
  ScrollBar1 = PositionBar(this, "ScrollBar1");
  ScrollBar2 = PositionBar(this, "ScrollBar2");
  settings->addRow("H Position:", ScrollBar1);
  settings->addRow("V Position:", ScrollBar2);
  EditCTLimit = Field(this, "EditCTLimit", "200");
  settings->addRow("Gray Limit:", EditCTLimit);
  RadioGroup2 =
      Named(new platform::RadioGroup("Rotation", {"0 Degree", "R 90 Degree", "L 90 Degree"}, this),
            "RadioGroup2");
  RadioGroup2->SetItemIndex(0);
  settings->addRow(RadioGroup2);
  CheckBoxX = Named(new QCheckBox("ReverseX", this), "CheckBoxX");
  CheckBoxY = Named(new QCheckBox("ReverseY", this), "CheckBoxY");
  auto* mirrors = new QHBoxLayout;
  mirrors->addWidget(CheckBoxX);
  mirrors->addWidget(CheckBoxY);
  settings->addRow(mirrors);
  CheckBoxFallback = Named(new QCheckBox("Font fallback", this), "CheckBoxFallback");
  CheckBoxFallback->setChecked(true);
  settings->addRow(CheckBoxFallback);

  auto* previews = new QHBoxLayout;
  GroupBoxSyst = PreviewBox(this, "GroupBoxSyst", "System Font Bmp", &Image2, "Image2");
  GroupBoxUser = PreviewBox(this, "GroupBoxUser", "User Font Bmp", &Image1, "Image1");
  previews->addWidget(GroupBoxSyst);
  previews->addWidget(GroupBoxUser);
  LabelGlyphFace = Named(new QLabel(this), "LabelGlyphFace");
  LabelGlyphFace->setWordWrap(true);

  auto* library = new QGridLayout;
  ComboBoxCode = Named(new QComboBox(this), "ComboBoxCode");
  ComboBoxCode->addItems({"GB2312", "BIG5", QString::fromUtf8("繁体GB2312"), "GBK", "UniCode"});
  EditUNIS = Field(this, "EditUNIS", "AC00");
  EditUNIE = Field(this, "EditUNIE", "D7A3");
  CheckBoxWhole = Named(new QCheckBox("Whole Code", this), "CheckBoxWhole");
  CheckBoxWhole->setEnabled(false);
  ButtonMakeBin = Named(new QPushButton("Make Bin", this), "ButtonMakeBin");
  Button1 = Named(new QPushButton("String Bin", this), "Button1");
  library->addWidget(ComboBoxCode, 0, 0);
  library->addWidget(ButtonMakeBin, 0, 1);
  library->addWidget(Button1, 0, 2);
  library->addWidget(new QLabel("Start Code", this), 1, 0);
  library->addWidget(EditUNIS, 1, 1);
  library->addWidget(CheckBoxWhole, 1, 2);
  library->addWidget(new QLabel("End Code", this), 2, 0);
  library->addWidget(EditUNIE, 2, 1);

  Edit1 = Field(this, "Edit1", "BBAA");
  ButtonTest = Named(new QPushButton("Test Code", this), "ButtonTest");
  Edit2 = Field(this, "Edit2", QString::fromUtf8("汉"));
  ButtonCHINPUT = Named(new QPushButton(QString::fromUtf8("测  试"), this), "ButtonCHINPUT");
  Edit3 = Field(this, "Edit3", "AC00");
  Button2 = Named(new QPushButton("UniCode", this), "Button2");
  library->addWidget(Edit1, 3, 0);
  library->addWidget(ButtonTest, 3, 1);
  library->addWidget(Edit2, 4, 0);
  library->addWidget(ButtonCHINPUT, 4, 1);
  library->addWidget(Edit3, 5, 0);
  library->addWidget(Button2, 5, 1);

  Memo1 = Named(new QPlainTextEdit(this), "Memo1");
  Memo2 = Named(new QPlainTextEdit(this), "Memo2");
  Memo2->hide();
  ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ButtonClose = Named(new QPushButton("Close", this), "ButtonClose");

  auto* left = new QVBoxLayout;
  left->addLayout(settings);
  left->addLayout(previews);
  left->addWidget(LabelGlyphFace);
  auto* right = new QVBoxLayout;
  right->addLayout(library);
  right->addWidget(Memo1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  auto* window = new QVBoxLayout(this);
  window->addLayout(columns);
  window->addWidget(ProgressBar1);
  window->addWidget(ButtonClose, 0, Qt::AlignRight);
}
