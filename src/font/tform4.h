#pragma once
// TForm4 "Creat Chinese Font Lib ": created hidden at start; "Close" hides it and its state stays.

#include <QPushButton>
#include <QWidget>

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  QPushButton* ButtonClose = nullptr;

  void ButtonCloseClick();
};
