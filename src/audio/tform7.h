#pragma once
// TForm7 "WAV Tool": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm7 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);

  QPushButton* Button3 = nullptr;

  void Button3Click();
};
