#include "bootimage/tform2.h"

#include <QVBoxLayout>

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm2");
  setWindowTitle(QString::fromUtf8("Creat bootloader in spiflash"));
  auto* layout = new QVBoxLayout(this);
  Button2 = new QPushButton("Close", this);
  Button2->setObjectName("Button2");
  layout->addWidget(Button2);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
}

void TForm2::Button2Click() {
  hide();
}
