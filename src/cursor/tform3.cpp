#include "cursor/tform3.h"

#include <QVBoxLayout>

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm3");
  setWindowTitle(QString::fromUtf8("Cursor tool"));
  auto* layout = new QVBoxLayout(this);
  Button4 = new QPushButton("Close", this);
  Button4->setObjectName("Button4");
  layout->addWidget(Button4);
  connect(Button4, &QPushButton::clicked, this, &TForm3::Button4Click);
}

void TForm3::Button4Click() {
  hide();
}
