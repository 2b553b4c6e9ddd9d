#pragma once
// TForm2 "Creat bootloader in spiflash": panel timing, PLL, PWM and SPI-flash settings in,
// the 367-byte boot image out. Created hidden at start; "Close" hides it and the controls
// keep their settings.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "bootimage/boot_settings.h"

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;
  QGroupBox* GroupBoxParameters = nullptr;

  QLineEdit* EditXSIZE = nullptr;
  QLineEdit* EditHSPW = nullptr;
  QLineEdit* EditHSBP = nullptr;
  QLineEdit* EditHSFP = nullptr;
  QLineEdit* EditYSIZE = nullptr;
  QLineEdit* EditVSPW = nullptr;
  QLineEdit* EditVSBP = nullptr;
  QLineEdit* EditVSFP = nullptr;
  QCheckBox* CheckBoxPCLK = nullptr;
  QCheckBox* CheckBoxHSYNC = nullptr;
  QCheckBox* CheckBoxVSYNC = nullptr;
  QCheckBox* CheckBoxDEP = nullptr;
  QCheckBox* CheckBoxDEM = nullptr;
  QComboBox* ComboBoxLCDIF = nullptr;
  QComboBox* ComboBoxLCDRGB = nullptr;
  QComboBox* ComboBoxColorIF = nullptr;
  QComboBox* ComboBoxSPIReadCmd = nullptr;
  QComboBox* ComboBoxFlashAddrMode = nullptr;
  QComboBox* ComboBoxCANVASMODE = nullptr;
  QComboBox* ComboBoxSpeed = nullptr;
  QComboBox* ComboBoxSPI = nullptr;
  QComboBox* ComboBoxPageSize = nullptr;
  QLineEdit* EditFlashAddr = nullptr;
  QLineEdit* EditCCLKOD = nullptr;
  QLineEdit* EditCCLKR = nullptr;
  QLineEdit* EditCCLK = nullptr;
  QLineEdit* EditMCLKOD = nullptr;
  QLineEdit* EditMCLKR = nullptr;
  QLineEdit* EditMCLK = nullptr;
  QLineEdit* EditSCLKOD = nullptr;
  QLineEdit* EditSCLKR = nullptr;
  QLineEdit* EditSCLK = nullptr;
  QLineEdit* EditPPre = nullptr;
  QLineEdit* EditPWMT = nullptr;
  QLineEdit* EditPWM = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

  // The controls as they are now.
  [[nodiscard]] bootimage::BootForm ReadBootForm() const;

  void FormShow();
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // The clamped PLL and PWM numbers go back into their fields.
  void ShowLimitedValues(const bootimage::BootSettings& settings);

  std::array<QLineEdit*, bootimage::kNumberFieldCount> number_edits_{};
  std::array<QComboBox*, bootimage::kChoiceListCount> choice_lists_{};
};
