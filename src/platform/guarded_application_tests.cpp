// An exception that escapes an event handler is shown in a message box, and the program
// goes on taking events.
#include <QPushButton>
#include <QTest>
#include <new>
#include <stdexcept>

#include "platform/guarded_application.h"
#include "platform/scripted_dialogs.h"

class GuardedApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void EscapedExceptionsAreShownAndTheWindowStaysUsable() {
    platform::ScriptedDialogs dialogs;
    QPushButton button("Convert");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] {
      ++clicks;
      if (clicks == 1)
        throw std::bad_alloc();
      if (clicks == 2)
        throw std::runtime_error("disk on fire");
    });
    button.show();
    for (int i = 0; i < 3; ++i)
      QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 3);
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
