#pragma once
// TForm5 "BinFile Combine": up to six bin files placed at start addresses in one file, with
// a listing. Created hidden at start; "Close" hides it and the slots keep their contents.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "combine/slot_table.h"

class TForm5 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);

  // Per slot: picker button, name field, start field, length field.
  QPushButton* Button1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* Button2 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QLineEdit* Edit6 = nullptr;
  QPushButton* Button3 = nullptr;
  QLineEdit* Edit7 = nullptr;
  QLineEdit* Edit8 = nullptr;
  QLineEdit* Edit9 = nullptr;
  QPushButton* Button6 = nullptr;
  QLineEdit* Edit10 = nullptr;
  QLineEdit* Edit11 = nullptr;
  QLineEdit* Edit12 = nullptr;
  QPushButton* Button7 = nullptr;
  QLineEdit* Edit13 = nullptr;
  QLineEdit* Edit14 = nullptr;
  QLineEdit* Edit15 = nullptr;
  QPushButton* Button8 = nullptr;
  QLineEdit* Edit16 = nullptr;
  QLineEdit* Edit17 = nullptr;
  QLineEdit* Edit18 = nullptr;

  QPushButton* Button4 = nullptr;  // "File Combine"
  QPushButton* Button5 = nullptr;  // "Close"
  QPlainTextEdit* Memo1 = nullptr;

  // The folder of the last picked file, where the dialogs open.
  QString LastFolder;

  // The six slots as their fields hold them.
  [[nodiscard]] combine::SlotTable ReadSlots() const;

  void FormShow();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Edit2KeyUp();
  void Edit5KeyUp();
  void Edit8KeyUp();
  void Edit11KeyUp();
  void Edit14KeyUp();
  void Button4Click();
  void Button5Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ShowSlots(const combine::SlotTable& slots);
  void PickSlot(int slot);
  // The key-release handler of a start field.
  void StartFieldKeyUp(const QLineEdit* field);
  void RechainFrom(int slot);

  std::array<QPushButton*, combine::kSlotCount> pickers_{};
  std::array<QLineEdit*, combine::kSlotCount> names_{};
  std::array<QLineEdit*, combine::kSlotCount> starts_{};
  std::array<QLineEdit*, combine::kSlotCount> lengths_{};
};
