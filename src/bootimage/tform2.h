#pragma once
// TForm2 "Creat bootloader in spiflash": created hidden at start; "Close" hides it and its state
// stays.

#include <QPushButton>
#include <QWidget>

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  QPushButton* Button2 = nullptr;

  void Button2Click();
};
