#include "picture/tform6.h"

#include <QVBoxLayout>

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm6");
  setWindowTitle(QString::fromUtf8("GIF Tool"));
  auto* layout = new QVBoxLayout(this);
  Button2 = new QPushButton("Close", this);
  Button2->setObjectName("Button2");
  layout->addWidget(Button2);
  connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
}

void TForm6::Button2Click() {
  hide();
}
