#pragma once
// TForm5 "BinFile Combine": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm5 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);

  QPushButton* Button5 = nullptr;

  void Button5Click();
};
