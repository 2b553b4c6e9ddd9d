// An exception that escapes an event handler is shown in a message box, and the program
// goes on taking events.
#include <QEvent>
#include <QTest>
#include <new>
#include <stdexcept>

#include "platform/guarded_application.h"
#include "platform/scripted_dialogs.h"

// Throws from its event handler as a window's handler might: first out of memory, then
// anything else, then it works.
class ThrowingReceiver : public QObject {
 public:
  int events = 0;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User)
      return QObject::event(event);
    ++events;
    if (events == 1)
      throw std::bad_alloc();
    if (events == 2)
      throw std::runtime_error("disk on fire");
    return true;
  }
};

class GuardedApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void EscapedExceptionsAreShownAndTheProgramGoesOn() {
    platform::ScriptedDialogs dialogs;
    ThrowingReceiver receiver;
    // Events the program owns; an exception must not leave one behind.
    for (int i = 0; i < 3; ++i) {
      QEvent event(QEvent::User);
      QCoreApplication::sendEvent(&receiver, &event);
    }
    QCOMPARE(receiver.events, 3);
    QCOMPARE(dialogs.messages,
             QStringList({"Out of memory: the operation was stopped.",
                          "The operation was stopped by an unexpected error: disk on fire"}));
  }
};

int main(int argc, char** argv) {
  platform::GuardedApplication application(argc, argv);
  GuardedApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "guarded_application_tests.moc"
