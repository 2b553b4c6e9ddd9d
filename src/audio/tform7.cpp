#include "audio/tform7.h"

#include <QVBoxLayout>

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm7");
  setWindowTitle(QString::fromUtf8("WAV Tool"));
  auto* layout = new QVBoxLayout(this);
  Button3 = new QPushButton("Close", this);
  Button3->setObjectName("Button3");
  layout->addWidget(Button3);
  connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
}

void TForm7::Button3Click() {
  hide();
}
