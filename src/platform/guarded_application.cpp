#include "platform/guarded_application.h"

#include <exception>
#include <new>

#include "platform/dialogs.h"

namespace platform {

QString UnexpectedErrorText(const std::exception* error) {
  if (dynamic_cast<const std::bad_alloc*>(error))
    return "Out of memory: the operation was stopped.";
  return "The operation was stopped by an unexpected error" +
         (error ? ": " + QString::fromUtf8(error->what()) : QString("."));
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    Ui().ShowMessage(UnexpectedErrorText(&error));
  } catch (...) {
    Ui().ShowMessage(UnexpectedErrorText(nullptr));
  }
  return false;
}

}  // namespace platform
