#include "combine/tform5.h"

#include <QVBoxLayout>

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm5");
  setWindowTitle(QString::fromUtf8("BinFile Combine"));
  auto* layout = new QVBoxLayout(this);
  Button5 = new QPushButton("Close", this);
  Button5->setObjectName("Button5");
  layout->addWidget(Button5);
  connect(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
}

void TForm5::Button5Click() {
  hide();
}
