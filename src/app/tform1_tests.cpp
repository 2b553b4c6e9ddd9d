#include <QTest>

class TForm1Tests : public QObject {
  Q_OBJECT
 private slots:
  void Placeholder() {}
};

QTEST_MAIN(TForm1Tests)
#include "tform1_tests.moc"
