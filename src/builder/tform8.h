#pragma once
// TForm8 "Dravick Tool": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm8 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm8(QWidget* parent = nullptr);

  QPushButton* BtnClose = nullptr;

  void BtnCloseClick();
};
