#pragma once
// TForm6 "GIF Tool": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm6 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm6(QWidget* parent = nullptr);

  QPushButton* Button2 = nullptr;

  void Button2Click();
};
