// The cursor window on the offscreen platform, its dialogs scripted.
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "cursor/cursor_file.h"
#include "cursor/tform3.h"
#include "platform/file_io.h"
#include "platform/scripted_dialogs.h"

using cursor::CursorImage;

namespace {

QString Repeat(const QString& text, int count) {
  QString out;
  for (int i = 0; i < count; ++i)
    out += text;
  return out;
}

// Mouse events as the window receives them from its grid.
void SendMouse(QWidget* target, QEvent::Type type, QPoint at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// The grid point at the centre of a pixel's square.
QPoint Centre(int c, int r) {
  return {9 * c + 5, 9 * r + 5};
}

void Drag(TForm3& form, QPoint from, QPoint to) {
  SendMouse(form.Image1, QEvent::MouseButtonPress, Centre(from.x(), from.y()));
  SendMouse(form.Image1, QEvent::MouseMove, Centre(to.x(), to.y()));
  SendMouse(form.Image1, QEvent::MouseButtonRelease, Centre(to.x(), to.y()));
}

// Every pixel: '0'..'3' by its code, rows joined by '\n' (compact to compare regions).
QString Codes(const CursorImage& image, int columns, int rows) {
  QStringList lines;
  for (int r = 0; r < rows; ++r) {
    QString line;
    for (int c = 0; c < columns; ++c)
      line += QChar('0' + image.At(c, r));
    lines << line;
  }
  return lines.join('\n');
}

QImage Shown(QLabel* label) {
  return label->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TForm3Tests : public QObject {
  Q_OBJECT

 private slots:
  void StartsCleared() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    QCOMPARE(form.windowTitle(), QString("Cursor tool"));
    QVERIFY(form.Memo1->toPlainText().isEmpty());
    QCOMPARE(form.Picture, CursorImage());
    QCOMPARE(Shown(form.Image1), cursor::GridImage(CursorImage()));
    QCOMPARE(Shown(form.Image1).size(), QSize(289, 289));
    QCOMPARE(form.Tool, cursor::kDotTool);
    QCOMPARE(Shown(form.Image6), cursor::ToolIcon(cursor::kDotTool));
    QCOMPARE(form.Panel5->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(form.Button1->text(), QString("Export"));
    QCOMPARE(form.Button2->text(), QString("Import"));
    QCOMPARE(form.Button3->text(), QString("Clear"));
    QCOMPARE(form.Button4->text(), QString("Close"));
    QCOMPARE(form.findChild<QFrame*>("Panel4"), form.Panel4);
  }

  void ToolIconsAreWhiteStrokesOnGray() {
    const QColor gray(0x77, 0x77, 0x77);
    const QImage dot = cursor::ToolIcon(cursor::kDotTool);
    QCOMPARE(dot.pixelColor(30, 16), QColor(Qt::white));
    QCOMPARE(dot.pixelColor(31, 17), QColor(Qt::white));
    QCOMPARE(dot.pixelColor(29, 16), gray);
    const QImage line = cursor::ToolIcon(cursor::kLineTool);
    QCOMPARE(line.pixelColor(5, 16), QColor(Qt::white));
    QCOMPARE(line.pixelColor(5, 15), gray);
    const QImage rectangle = cursor::ToolIcon(cursor::kRectangleTool);
    QCOMPARE(rectangle.pixelColor(5, 5), QColor(Qt::white));
    QCOMPARE(rectangle.pixelColor(4, 4), gray);
    QCOMPARE(rectangle.pixelColor(10, 10), gray);
  }

  void ExportListsAndSavesTheCursor() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    QTemporaryDir folder;
    SendMouse(form.Panel2, QEvent::MouseButtonRelease, {1, 1});
    SendMouse(form.Image1, QEvent::MouseButtonPress, {4, 6});  // pixel (0, 0)
    SendMouse(form.Image1, QEvent::MouseMove, {40, 6});        // the dot paints nothing more
    SendMouse(form.Image1, QEvent::MouseButtonRelease, {40, 6});
    // An existing longer file is replaced whole.
    QVERIFY(platform::WriteFileAtomically(folder.filePath("Cursor-a.bin").toStdString(),
                                          std::vector<std::uint8_t>(1000, 1)));
    dialogs.save_answers.push_back({true, folder.filePath("Cursor-a")});
    form.Button1->click();
    QCOMPARE(dialogs.save_proposals, QStringList{"Cursor-"});
    QCOMPARE(dialogs.save_filters, QStringList{"*.bin"});
    QCOMPARE(dialogs.messages, QStringList{"OK"});
    const QStringList lines = form.Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 16);
    QCOMPARE(lines[0], "0x6A," + Repeat("0xAA,", 15));
    QCOMPARE(lines[15], Repeat("0xAA,", 16));
    const auto saved = platform::ReadFileBytes(folder.filePath("Cursor-a.bin").toStdString());
    QVERIFY(saved.has_value());
    QCOMPARE(saved->size(), std::size_t(256));
    QCOMPARE(int((*saved)[0]), 0x6A);
    QCOMPARE(int((*saved)[255]), 0xAA);
  }

  // The "Data" area shows the whole listing, each 16-byte line on one row, without
  // wrapping or scrolling.
  void TheDataAreaFitsTheListing() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Button1, Qt::LeftButton);  // the dialog is cancelled: the listing stays
    QCOMPARE(dialogs.messages, QStringList{"Error file's name"});
    QCOMPARE(form.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(form.Memo1->document()->blockCount(), 16);
    QCoreApplication::processEvents();
    QCOMPARE(form.Memo1->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(form.Memo1->verticalScrollBar()->maximum(), 0);
    const QFontMetrics metrics(form.Memo1->font());
    QCOMPARE(metrics.horizontalAdvance("0"), metrics.horizontalAdvance("x"));  // fixed pitch
  }

  void ExportReportsANameItCannotUse_data() {
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << false << "x"
                               << "Error file's name";
    QTest::newRow("empty") << true << ""
                           << "Error file's name";
    QTest::newRow("missing folder") << true << "/nonexistent/folder/c"
                                    << "Can't open /nonexistent/folder/c.bin";
  }
  void ExportReportsANameItCannotUse() {
    QFETCH(bool, confirmed);
    QFETCH(QString, name);
    QFETCH(QString, message);
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    dialogs.save_answers.push_back({confirmed, name});
    form.ExportCursor();
    QCOMPARE(dialogs.messages, QStringList{message});
    QCOMPARE(form.Memo1->toPlainText().split('\n').size(), 16);  // the listing stays
  }

  void ImportReadsTheDataArea() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.Memo1->setPlainText("0x6A");
    form.Button2->click();
    QCOMPARE(Codes(form.Picture, 6, 2), QString("122200\n000000"));
    QCOMPARE(Shown(form.Image1), cursor::GridImage(form.Picture));

    // More than 256 entries: only the first 256 count.
    form.Memo1->setPlainText(Repeat(Repeat("0xFF,", 16) + "\n", 16) + Repeat("0x00,", 40));
    form.ImportCursor();
    QCOMPARE(cursor::CursorFileBytes(form.Picture), [] {
      cursor::CursorBytes all;
      all.fill(0xFF);
      return all;
    }());

    form.Memo1->setPlainText("no hex here");
    form.ImportCursor();
    QCOMPARE(Codes(form.Picture, 32, 32), Repeat("0", 32) + Repeat("\n" + Repeat("0", 32), 31));
  }

  void ALineLeavesOutItsEndPixel() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    SendMouse(form.Image4, QEvent::MouseButtonRelease, {1, 1});
    QCOMPARE(form.Tool, cursor::kLineTool);
    QCOMPARE(Shown(form.Image6), cursor::ToolIcon(cursor::kLineTool));
    Drag(form, {0, 0}, {3, 0});
    QCOMPARE(Codes(form.Picture, 5, 1), QString("00022"));
    QVERIFY(!form.Dragging);

    form.Button3->click();  // Clear keeps the pen and the tool
    QCOMPARE(form.Picture, CursorImage());
    QCOMPARE(form.Tool, cursor::kLineTool);
    Drag(form, {4, 4}, {4, 4});
    QCOMPARE(form.Picture, CursorImage());  // press and release on one pixel: nothing
  }

  void TheShapeFollowsTheMouse() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.Image4Click();
    form.Panel4Click();
    SendMouse(form.Image1, QEvent::MouseButtonPress, Centre(0, 0));
    SendMouse(form.Image1, QEvent::MouseMove, Centre(10, 0));
    QCOMPARE(Codes(form.Picture, 12, 1), QString("333333333322"));
    SendMouse(form.Image1, QEvent::MouseMove, Centre(2, 0));
    SendMouse(form.Image1, QEvent::MouseButtonRelease, Centre(2, 0));
    QCOMPARE(Codes(form.Picture, 12, 1), QString("332222222222"));
    SendMouse(form.Image1, QEvent::MouseMove, Centre(9, 0));  // idle: nothing
    QCOMPARE(Codes(form.Picture, 12, 1), QString("332222222222"));
  }

  void ARectangleFillsItsBoxWithWhite() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.Memo1->setPlainText("x");  // every pixel code 0
    form.ImportCursor();
    form.Panel4Click();
    form.Image2Click();
    Drag(form, {2, 2}, {6, 5});
    QCOMPARE(Codes(form.Picture, 8, 7), QString("00000000\n"
                                                "00000000\n"
                                                "00333300\n"
                                                "00322300\n"
                                                "00333300\n"
                                                "00000000\n"
                                                "00000000"));
    form.Button3Click();
    Drag(form, {6, 5}, {2, 2});  // dragged the other way: the same box
    QCOMPARE(Codes(form.Picture, 8, 7), QString("22222222\n"
                                                "22222222\n"
                                                "22333322\n"
                                                "22322322\n"
                                                "22333322\n"
                                                "22222222\n"
                                                "22222222"));
  }

  void AnEllipseStaysInsideItsBox() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.Memo1->setPlainText("x");
    form.ImportCursor();
    form.Panel2Click();
    form.Image3Click();
    Drag(form, {4, 3}, {14, 11});  // box columns 4..13, rows 3..10
    for (int r = 0; r < 32; ++r) {
      for (int c = 0; c < 32; ++c) {
        const bool inside = c >= 4 && c <= 13 && r >= 3 && r <= 10;
        if (!inside)
          QCOMPARE(int(form.Picture.At(c, r)), 0);
      }
    }
    QCOMPARE(form.Picture.At(8, 7), cursor::kCodeWhite);  // filled
    QCOMPARE(form.Picture.At(8, 3), cursor::kCode1);      // outline touches every edge
    QCOMPARE(form.Picture.At(8, 10), cursor::kCode1);
    QCOMPARE(form.Picture.At(4, 7), cursor::kCode1);
    QCOMPARE(form.Picture.At(13, 7), cursor::kCode1);
    QCOMPARE(form.Picture.At(4, 3), cursor::kCode0);  // corners stay
  }

  void PointsOffThePictureAreClipped() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.Image1MouseDown(288, 288);  // pixel 32
    QCOMPARE(form.Picture, CursorImage());
    form.Image2Click();
    form.Image1MouseDown(9 * 30 + 5, 5);
    form.Image1MouseMove(400, 400);
    form.Image1MouseUp(288, 288);  // the box runs to pixel 32: columns and rows up to 31
    QCOMPARE(form.Picture.At(30, 0), cursor::kCode0);
    QCOMPARE(form.Picture.At(31, 31), cursor::kCode0);
    QCOMPARE(form.Picture.At(29, 5), cursor::kCodeWhite);
  }

  void CloseHidesAndThePictureStays() {
    platform::ScriptedDialogs dialogs;
    TForm3 form;
    form.show();
    form.Panel4Click();
    form.Image1MouseDown(20, 20);
    form.Button4->click();
    QVERIFY(!form.isVisible());
    form.show();
    QCOMPARE(form.Picture.At(2, 2), cursor::kCodeBlack);
  }
};

QTEST_MAIN(TForm3Tests)
#include "tform3_tests.moc"
