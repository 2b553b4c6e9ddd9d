#include "builder/tform8.h"

#include <QVBoxLayout>

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm8");
  setWindowTitle(QString::fromUtf8("Dravick Tool"));
  auto* layout = new QVBoxLayout(this);
  BtnClose = new QPushButton("Close", this);
  BtnClose->setObjectName("BtnClose");
  layout->addWidget(BtnClose);
  connect(BtnClose, &QPushButton::clicked, this, &TForm8::BtnCloseClick);
}

void TForm8::BtnCloseClick() {
  hide();
}
