// dravick-gui: creates the eight windows in their fixed order and runs until the main
// window closes.
#include <QMessageBox>
#include <exception>

#include "app/program_windows.h"
#include "platform/guarded_application.h"
#include "platform/interrupt_cleanup.h"

int main(int argc, char** argv) {
  platform::InstallInterruptCleanup();
  platform::GuardedApplication application(argc, argv);
  QApplication::setApplicationName("Dravick Tool");
  try {
    ProgramWindows windows;
    windows.form1.show();  // maximised, as it opens
    return QApplication::exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Dravick Tool", platform::UnexpectedErrorText(&error));
    return 1;
  } catch (...) {
    QMessageBox::critical(nullptr, "Dravick Tool", platform::UnexpectedErrorText(nullptr));
    return 1;
  }
}
