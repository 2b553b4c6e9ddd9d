// dravick-gui: creates the eight windows in their fixed order and runs until the main
// window closes.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/program_windows.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Dravick Tool");
  try {
    ProgramWindows windows;
    windows.form1.show();  // maximised, as it opens
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Dravick Tool", QString::fromUtf8(error.what()));
    return 1;
  }
}
