// dravick-gui: creates the eight windows in their fixed order and runs until the main
// window closes.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/tform1.h"
#include "audio/tform7.h"
#include "bootimage/tform2.h"
#include "builder/tform8.h"
#include "combine/tform5.h"
#include "cursor/tform3.h"
#include "font/tform4.h"
#include "picture/tform6.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Dravick Tool");
  try {
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    TForm6 form6;
    TForm7 form7;
    TForm8 form8;
    form1.SetToolWindows({&form2, &form3, &form4, &form5, &form6, &form7, &form8});
    form1.show();  // maximised, as it opens
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Dravick Tool", QString::fromUtf8(error.what()));
    return 1;
  }
}
