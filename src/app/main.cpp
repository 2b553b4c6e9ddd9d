// dravick-gui: creates the eight windows in their fixed order and runs until the main
// window closes.
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
#include "platform/guarded_application.h"
#include "platform/interrupt_cleanup.h"

int main(int argc, char** argv) {
  platform::InstallInterruptCleanup();
  platform::GuardedApplication application(argc, argv);
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
    form1.showMaximized();
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Dravick Tool", platform::UnexpectedErrorText(&error));
    return 1;
  } catch (...) {
    QMessageBox::critical(nullptr, "Dravick Tool", platform::UnexpectedErrorText(nullptr));
    return 1;
  }
}
