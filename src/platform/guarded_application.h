#pragma once
// The desktop program's application object. An exception that an event handler lets
// escape (out of memory included) would end the program; here it is shown in a message
// box instead and the windows stay usable.

#include <QApplication>

namespace platform {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};

// The text shown for an exception that reached the event loop.
QString UnexpectedErrorText(const std::exception* error);

}  // namespace platform
