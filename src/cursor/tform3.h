#pragma once
// TForm3 "Cursor tool": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  QPushButton* Button4 = nullptr;

  void Button4Click();
};
