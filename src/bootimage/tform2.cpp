#include "bootimage/tform2.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "bootimage/boot_image_file.h"
#include "bootimage/boot_script.h"
#include "platform/dialogs.h"
#include "platform/window_placement.h"

using namespace bootimage;

namespace {

// The index of the item the list shows, or -1 when its text was typed over or no item
// was ever selected.
int ShownItemIndex(const QComboBox* list) {
  const int index = list->currentIndex();
  return index >= 0 && list->currentText() == list->itemText(index) ? index : -1;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm2");
  setWindowTitle(QString::fromUtf8("Creat bootloader in spiflash"));
  BuildControls();
  Memo1->clear();
  resize(900, 640);
  platform::CentreOnScreen(this);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
}

void TForm2::BuildControls() {
  auto* columns = new QHBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  columns->addWidget(Memo1, 1);

  GroupBoxParameters = new QGroupBox("Parameters", this);
  GroupBoxParameters->setObjectName("GroupBoxParameters");
  columns->addWidget(GroupBoxParameters);
  auto* panel = new QHBoxLayout(GroupBoxParameters);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  panel->addLayout(left);
  panel->addLayout(right);

  auto form_in = [this](QVBoxLayout* column, const QString& group_caption) {
    auto* form = new QFormLayout;
    if (group_caption.isEmpty()) {
      column->addLayout(form);
    } else {
      auto* group = new QGroupBox(group_caption, GroupBoxParameters);
      group->setLayout(form);
      column->addWidget(group);
    }
    return form;
  };
  auto edit = [this](QFormLayout* form, QLineEdit*& member, NumberField field,
                     const char* caption) {
    const NumberFieldInfo& info = InfoOf(field);
    member = new QLineEdit(QString::number(info.default_value), GroupBoxParameters);
    member->setObjectName(info.control);
    form->addRow(caption, member);
    number_edits_[field] = member;
  };
  auto list = [this](QFormLayout* form, QComboBox*& member, ChoiceList choice,
                     const char* caption) {
    const ChoiceListInfo& info = InfoOf(choice);
    member = new QComboBox(GroupBoxParameters);
    member->setObjectName(info.control);
    member->setEditable(true);  // the lists take typed text, which selects no item
    for (const std::string& item : info.items)
      member->addItem(QString::fromStdString(item));
    member->setCurrentIndex(info.default_index);
    member->setEditText(QString::fromStdString(info.default_text));
    form->addRow(caption, member);
    choice_lists_[choice] = member;
  };
  auto check = [this](QVBoxLayout* column, QCheckBox*& member, const char* name,
                      const char* caption, bool checked) {
    member = new QCheckBox(caption, GroupBoxParameters);
    member->setObjectName(name);
    member->setChecked(checked);
    column->addWidget(member);
  };

  QFormLayout* size_x = form_in(left, {});
  edit(size_x, EditXSIZE, kXSize, "Hs Size(X):");
  QFormLayout* hs = form_in(left, "HS");
  edit(hs, EditHSPW, kHspw, "Pulse Width:");
  edit(hs, EditHSBP, kHsbp, "Back-Porch:");
  edit(hs, EditHSFP, kHsfp, "Front-Porch:");
  QFormLayout* size_y = form_in(left, {});
  edit(size_y, EditYSIZE, kYSize, "Vs Size(Y):");
  QFormLayout* vs = form_in(left, "VS");
  edit(vs, EditVSPW, kVspw, "Pulse Width:");
  edit(vs, EditVSBP, kVsbp, "Back-Porch:");
  edit(vs, EditVSFP, kVsfp, "Front-Porch:");
  check(left, CheckBoxPCLK, "CheckBoxPCLK", "PCLK Fall Active", true);
  check(left, CheckBoxHSYNC, "CheckBoxHSYNC", "HSYNC High Active", false);
  check(left, CheckBoxVSYNC, "CheckBoxVSYNC", "VSYNC High Active", false);
  check(left, CheckBoxDEP, "CheckBoxDEP", "DE Low Active", false);
  check(left, CheckBoxDEM, "CheckBoxDEM", "DE Mode", false);
  QFormLayout* panel_lists = form_in(left, {});
  list(panel_lists, ComboBoxLCDIF, kLcdIf, "LCD Interface:");
  list(panel_lists, ComboBoxLCDRGB, kRgbOrder, "LCD IF RGB :");
  list(panel_lists, ComboBoxColorIF, kDepth, "Main Win Color:");
  list(panel_lists, ComboBoxCANVASMODE, kCanvas, "In Linear Mode :");
  left->addStretch(1);

  QFormLayout* flash = form_in(right, {});
  list(flash, ComboBoxSPIReadCmd, kReadCmd, "Read Command :");
  list(flash, ComboBoxFlashAddrMode, kAddr32, "Address Mode :");
  ComboBoxSPIReadCmd->setEnabled(false);
  ComboBoxFlashAddrMode->setEnabled(false);
  ComboBoxPageSize = new QComboBox(GroupBoxParameters);
  ComboBoxPageSize->setObjectName("ComboBoxPageSize");
  ComboBoxPageSize->addItems({"256", "512", "2048"});
  ComboBoxPageSize->setCurrentIndex(0);
  ComboBoxPageSize->setEnabled(false);
  flash->addRow("Flash Page Size:", ComboBoxPageSize);
  list(flash, ComboBoxSpeed, kSpeed, "SPI Speed:");
  list(flash, ComboBoxSPI, kSpiSel, "Mrl SPI Interface:");
  edit(flash, EditFlashAddr, kPicAddr, "Picture Address :");
  QFormLayout* pll = form_in(right, {});
  edit(pll, EditCCLKOD, kCclkOd, "CCLK_OD:");
  edit(pll, EditCCLKR, kCclkR, "CCLK_R:");
  edit(pll, EditCCLK, kCclkN, "CCLK_N:");
  edit(pll, EditMCLKOD, kMclkOd, "MCLK_OD:");
  edit(pll, EditMCLKR, kMclkR, "MCLK_R:");
  edit(pll, EditMCLK, kMclkN, "MCLK_N:");
  edit(pll, EditSCLKOD, kSclkOd, "SCLK_OD:");
  edit(pll, EditSCLKR, kSclkR, "SCLK_R:");
  edit(pll, EditSCLK, kSclkN, "SCLK_N:");
  QFormLayout* pwm = form_in(right, "PWM1");
  edit(pwm, EditPPre, kPwmPre, "PWM Pre:");
  edit(pwm, EditPWMT, kPwmT, "PWM(T):");
  edit(pwm, EditPWM, kPwmDuty, "PWM(%):");
  right->addStretch(1);

  Button1 = new QPushButton("Creat", GroupBoxParameters);
  Button1->setObjectName("Button1");
  Button2 = new QPushButton("Close", GroupBoxParameters);
  Button2->setObjectName("Button2");
  right->addWidget(Button1);
  right->addWidget(Button2);
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TForm2::FormShow() {
  for (QLineEdit* field : number_edits_)
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
}

BootForm TForm2::ReadBootForm() const {
  BootForm form;
  for (int field = 0; field < kNumberFieldCount; ++field)
    form.numbers[field] = number_edits_[field]->text().toStdString();
  for (int list = 0; list < kChoiceListCount; ++list)
    form.item_indices[list] = ShownItemIndex(choice_lists_[list]);
  form.pclk_fall = CheckBoxPCLK->isChecked();
  form.hs_high = CheckBoxHSYNC->isChecked();
  form.vs_high = CheckBoxVSYNC->isChecked();
  form.de_low = CheckBoxDEP->isChecked();
  form.de_mode = CheckBoxDEM->isChecked();
  return form;
}

void TForm2::ShowLimitedValues(const BootSettings& settings) {
  for (NumberField field : {kCclkOd, kCclkR, kCclkN, kMclkOd, kMclkR, kMclkN, kSclkOd, kSclkR,
                            kSclkN, kPwmPre, kPwmT, kPwmDuty})
    number_edits_[field]->setText(QString::number(settings[field]));
}

void TForm2::Button1Click() {
  const auto settings = ReadBootSettings(ReadBootForm());
  if (!settings) {
    platform::Ui().ShowMessage(QString::fromStdString(settings.error().text));
    return;
  }
  const auto script = BuildBootScript(*settings);
  if (!script) {
    platform::Ui().ShowMessage(QString::fromStdString(script.error().text));
    return;
  }
  ShowLimitedValues(*settings);
  Memo1->setPlainText(QString::fromStdString(BootScriptText(*script)).replace("\r\n", "\n"));
  const platform::SaveChoice choice = platform::Ui().SaveFile("*.bin", kProposedName, QString());
  if (!choice.confirmed)
    return;
  const platform::Message saved = SaveBootImage(choice.name.toStdString(), *script);
  platform::Ui().ShowMessage(QString::fromStdString(saved.text));
}

void TForm2::Button2Click() {
  hide();
}
