#include <QTemporaryDir>
#include <QTest>

#include "combine/tform5.h"
#include "platform/file_io.h"
#include "platform/scripted_dialogs.h"

class TForm5Tests : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  QString In(const QString& name) const { return folder_.filePath(name); }
  QString MakeFile(const QString& name, std::size_t size, std::uint8_t first = 1) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
      bytes[i] = static_cast<std::uint8_t>(first + i);
    platform::WriteFileAtomically(In(name).toStdString(), bytes);
    return In(name);
  }
  std::vector<std::uint8_t> Read(const QString& name) const {
    return platform::ReadFileBytes(In(name).toStdString()).value_or(std::vector<std::uint8_t>{});
  }
  // Picks 100-, 50- and 10-byte files into slots 1 to 3.
  void PickThree(platform::ScriptedDialogs& dialogs, TForm5& window) {
    dialogs.open_answers = {MakeFile("a.bin", 100, 1), MakeFile("b.bin", 50, 101),
                            MakeFile("c.bin", 10, 151)};
    window.Button1->click();
    window.Button2->click();
    window.Button3->click();
  }

 private slots:
  void OpensWithOnlyFileOneEnabled() {
    TForm5 window;
    QCOMPARE(window.windowTitle(), QString("BinFile Combine"));
    QCOMPARE(window.Button6->text(), QString("File 4"));
    QCOMPARE(window.Button4->text(), QString("File Combine"));
    QVERIFY(window.Button1->isEnabled());
    for (QPushButton* later :
         {window.Button2, window.Button3, window.Button6, window.Button7, window.Button8})
      QVERIFY(!later->isEnabled());
    QVERIFY(window.Edit2->isReadOnly());
    QVERIFY(!window.Edit17->isReadOnly());
    QCOMPARE(window.Edit18->text(), QString("0"));
    QCOMPARE(window.findChild<QLineEdit*>("Edit13"), window.Edit13);
    QCOMPARE(window.Memo1->toPlainText(), QString());
  }

  void PickedFilesChainAndEnableTheNextButton() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    PickThree(dialogs, window);
    QCOMPARE(dialogs.open_filters, QStringList({"*.bin", "*.bin", "*.bin"}));
    QCOMPARE(dialogs.messages, QStringList{});
    QCOMPARE(window.Edit7->text(), In("c.bin"));
    QCOMPARE(window.Edit5->text(), QString("100"));
    QCOMPARE(window.Edit6->text(), QString("50"));
    QCOMPARE(window.Edit8->text(), QString("150"));
    QCOMPARE(window.Edit9->text(), QString("10"));
    QVERIFY(window.Button6->isEnabled());
    QVERIFY(!window.Button7->isEnabled());
  }

  void CombineWritesTheFileAndTheListing() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    PickThree(dialogs, window);
    window.Memo1->setPlainText("old listing");
    dialogs.save_answers.push_back({true, In("combo")});
    window.Button4->click();
    QCOMPARE(dialogs.save_proposals, QStringList{"*.bin"});
    QCOMPARE(dialogs.messages, QStringList{"Combine over"});
    const auto combined = Read("combo.bin");
    QCOMPARE(combined.size(), std::size_t{160});
    QCOMPARE(combined[159], std::uint8_t{160});
    const QString memo = "{0x00000000, 0x00000064}, //" + In("a.bin") + "\n" +
                         "{0x00000064, 0x00000032}, //" + In("b.bin") + "\n" +
                         "{0x00000096, 0x0000000A}, //" + In("c.bin");
    QCOMPARE(window.Memo1->toPlainText(), memo);
    QCOMPARE(Read("combo-Addr.txt").size(), std::size_t(memo.size() + 4));
  }

  void KeyReleaseInAStartFieldRechains() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PickThree(dialogs, window);
    window.Edit5->clear();
    QTest::keyClicks(window.Edit5, "4096");
    QCOMPARE(window.Edit8->text(), QString("4146"));
    dialogs.save_answers.push_back({true, In("gap.bin")});
    window.Button4Click();
    const auto combined = Read("gap.bin");
    QCOMPARE(combined.size(), std::size_t{4156});
    QCOMPARE(combined[100], std::uint8_t{0xFF});
    QCOMPARE(combined[4095], std::uint8_t{0xFF});
    QCOMPARE(combined[4096], std::uint8_t{101});
  }

  void EmptiedStartFieldStopsTheRechaining() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PickThree(dialogs, window);
    window.Edit5->setFocus();
    window.Edit5->end(false);
    for (int i = 0; i < 3; ++i)
      QTest::keyClick(window.Edit5, Qt::Key_Backspace);
    QCOMPARE(window.Edit8->text(), QString("51"));  // start "1" + length 50, the last good chain
    // Emptied while typing: nothing is said until the entry ends.
    QVERIFY(dialogs.messages.isEmpty());
    QTest::keyClicks(window.Edit5, "20");
    QCOMPARE(window.Edit8->text(), QString("70"));
    QTest::keyClick(window.Edit5, Qt::Key_Backspace);
    QTest::keyClick(window.Edit5, Qt::Key_Backspace);
    QTest::keyClick(window.Edit5, Qt::Key_Tab);
    QCOMPARE(dialogs.messages,
             QStringList{"Start Address of File 2: '' is not a valid integer value"});
  }

  void OverlappingStartIsRefused() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    PickThree(dialogs, window);
    window.Edit5->setText("50");
    window.Button4Click();
    QCOMPARE(dialogs.messages,
             QStringList{"File 2 starts at 50, before the end of File 1; its lowest start is 100"});
    QVERIFY(dialogs.save_proposals.isEmpty());
  }

  void CancelledPickStopsALaterCombine() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    dialogs.open_answers = {MakeFile("a.bin", 8)};
    window.Button1->click();
    window.Button2->click();  // cancelled
    QCOMPARE(window.Edit4->text(), QString("*.bin"));
    QCOMPARE(window.Edit5->text(), QString("0"));
    QCOMPARE(dialogs.messages, QStringList{"The file might not be accessibl."});
    QVERIFY(!window.Button3->isEnabled());
    dialogs.save_answers.push_back({true, In("part")});
    window.Button4Click();
    QCOMPARE(dialogs.messages.last(), QString("Can't open *.bin"));
    QCOMPARE(Read("part.bin").size(), std::size_t{8});
    QVERIFY(!QFile::exists(In("part-Addr.txt")));
  }

  void CancelledSaveWritesNothing() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    PickThree(dialogs, window);
    window.Memo1->setPlainText("kept");
    window.Button4Click();
    QCOMPARE(dialogs.messages, QStringList{"Can't open *.bin"});
    QCOMPARE(window.Memo1->toPlainText(), QString("kept"));
  }

  void RepickingFileOneEmptiesSlotsTwoAndThree() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    PickThree(dialogs, window);
    dialogs.open_answers = {MakeFile("d.bin", 4), MakeFile("e.bin", 30)};
    window.Button6->click();
    window.Button1->click();
    QCOMPARE(window.Edit1->text(), In("e.bin"));
    QCOMPARE(window.Edit3->text(), QString("30"));
    for (QLineEdit* emptied : {window.Edit4, window.Edit7})
      QCOMPARE(emptied->text(), QString());
    for (QLineEdit* zero : {window.Edit5, window.Edit6, window.Edit8, window.Edit9})
      QCOMPARE(zero->text(), QString("0"));
    QCOMPARE(window.Edit10->text(), In("d.bin"));
    QVERIFY(window.Button3->isEnabled());
    dialogs.save_answers.push_back({true, In("first")});
    window.Button4Click();
    QCOMPARE(Read("first.bin"), Read("e.bin"));
  }

  void GrownFileIsCutWithAWarningInTheMemo() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    dialogs.open_answers = {MakeFile("a.bin", 4)};
    window.Button1->click();
    MakeFile("a.bin", 9);
    dialogs.save_answers.push_back({true, In("cut")});
    window.Button4Click();
    QCOMPARE(dialogs.messages, QStringList{"Combine over"});
    QCOMPARE(Read("cut.bin").size(), std::size_t{4});
    QCOMPARE(window.Memo1->toPlainText().split('\n').last(),
             "Warning: " + In("a.bin") +
                 " has grown to 9 bytes since it was picked; only its first 4 bytes were "
                 "combined, 5 left out");
    QCOMPARE(Read("cut-Addr.txt").size(),
             std::size_t(window.Memo1->toPlainText().split('\n').first().size() + 2));
  }

  void CloseKeepsTheSlots() {
    platform::ScriptedDialogs dialogs;
    TForm5 window;
    window.show();
    PickThree(dialogs, window);
    window.Button5->click();
    QVERIFY(window.isHidden());
    QCOMPARE(window.Edit7->text(), In("c.bin"));
  }
};

QTEST_MAIN(TForm5Tests)
#include "tform5_tests.moc"
