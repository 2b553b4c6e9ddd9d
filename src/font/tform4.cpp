#include "font/tform4.h"

#include <QVBoxLayout>

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm4");
  setWindowTitle(QString::fromUtf8("Creat Chinese Font Lib "));
  auto* layout = new QVBoxLayout(this);
  ButtonClose = new QPushButton("Close", this);
  ButtonClose->setObjectName("ButtonClose");
  layout->addWidget(ButtonClose);
  connect(ButtonClose, &QPushButton::clicked, this, &TForm4::ButtonCloseClick);
}

void TForm4::ButtonCloseClick() {
  hide();
}
