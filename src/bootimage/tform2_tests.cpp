#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "bootimage/boot_script.h"
#include "bootimage/tform2.h"
#include "platform/file_io.h"
#include "platform/scripted_dialogs.h"

using namespace bootimage;

class TForm2Tests : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  QString In(const QString& name) const { return folder_.filePath(name); }
  static std::vector<std::uint8_t> DefaultScript() {
    return *BuildBootScript(*ReadBootSettings(BootForm{}));
  }

 private slots:
  void OpensWithItsDefaults() {
    TForm2 window;
    QCOMPARE(window.windowTitle(), QString("Creat bootloader in spiflash"));
    QCOMPARE(window.Button1->text(), QString("Creat"));
    QCOMPARE(window.Memo1->toPlainText(), QString());
    const auto read = ReadBootSettings(window.ReadBootForm());
    const auto defaults = ReadBootSettings(BootForm{});
    QVERIFY(read->numbers == defaults->numbers);
    QVERIFY(read->codes == defaults->codes);
    QCOMPARE(read->pclk_fall, true);
    QCOMPARE(window.ComboBoxSpeed->currentIndex(), -1);
    QCOMPARE(window.ComboBoxSpeed->currentText(), QString("DIV 4"));
    QCOMPARE(window.ComboBoxCANVASMODE->currentText(), QString("Block - 16bpp"));
    QCOMPARE(window.ComboBoxPageSize->currentText(), QString("256"));
    QVERIFY(!window.ComboBoxPageSize->isEnabled());
    QVERIFY(!window.ComboBoxSPIReadCmd->isEnabled());
    QVERIFY(!window.ComboBoxFlashAddrMode->isEnabled());
    QCOMPARE(window.findChild<QLineEdit*>("EditMCLK"), window.EditMCLK);
  }

  void CreatFillsTheMemoAndSavesTheScript() {
    platform::ScriptedDialogs dialogs;
    dialogs.save_answers.push_back({true, In("Bootloader")});
    TForm2 window;
    window.Button1Click();
    QCOMPARE(dialogs.save_proposals, QStringList{"Bootloader"});
    QCOMPARE(dialogs.save_filters, QStringList{"*.bin"});
    QCOMPARE(dialogs.messages, QStringList{"OK"});
    QCOMPARE(platform::ReadFileBytes(In("Bootloader.bin").toStdString()), DefaultScript());
    const QString memo = window.Memo1->toPlainText();
    QCOMPARE(memo, QString::fromStdString(BootScriptText(DefaultScript())).replace("\r\n", "\n"));
    QVERIFY(memo.startsWith("61 72 77 63 77 62 78 67 //ID \n11 05 13 8A \n"));
  }

  void ClampedValuesShowInTheirFields_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("R below 2") << "EditCCLKR"
                               << "0"
                               << "2";
    QTest::newRow("R of 1") << "EditSCLKR"
                            << "1"
                            << "2";
    QTest::newRow("R above 31") << "EditMCLKR"
                                << "40"
                                << "31";
    QTest::newRow("OD above 3") << "EditCCLKOD"
                                << "5"
                                << "3";
    QTest::newRow("duty above period") << "EditPWM"
                                       << "150"
                                       << "100";
    QTest::newRow("prescaler") << "EditPPre"
                               << "999"
                               << "255";
    QTest::newRow("core clock keeps its typed value") << "EditCCLK"
                                                      << "81"
                                                      << "81";
  }
  void ClampedValuesShowInTheirFields() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    platform::ScriptedDialogs dialogs;  // the save dialog is cancelled
    TForm2 window;
    auto* edit = window.findChild<QLineEdit*>(field);
    QVERIFY(edit != nullptr);
    edit->setText(typed);
    window.Button1Click();
    QCOMPARE(edit->text(), shown);
    QCOMPARE(dialogs.messages, QStringList{});
    QVERIFY(!window.Memo1->toPlainText().isEmpty());
  }

  void BadNumbersStopBeforeAnythingIsWritten_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("emptied field") << "EditCCLK"
                                   << ""
                                   << "CCLK_N: '' is not a valid integer value";
    QTest::newRow("pasted text") << "EditVSBP"
                                 << "1x"
                                 << "VS Back-Porch: '1x' is not a valid integer value";
    QTest::newRow("MCLK_N 0") << "EditMCLK"
                              << "0"
                              << "Division by zero: MCLK_N must be from 1 to 1000, it is 0";
    QTest::newRow("MCLK_N 1001") << "EditMCLK"
                                 << "1001"
                                 << "Division by zero: MCLK_N must be from 1 to 1000, it is 1001";
  }
  void BadNumbersStopBeforeAnythingIsWritten() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    platform::ScriptedDialogs dialogs;
    dialogs.save_answers.push_back({true, In("bad")});
    TForm2 window;
    window.Memo1->setPlainText("earlier text");
    window.EditPWM->setText("150");
    window.findChild<QLineEdit*>(field)->setText(typed);
    window.Button1Click();
    QCOMPARE(dialogs.messages, QStringList{message});
    QCOMPARE(window.Memo1->toPlainText(), QString("earlier text"));
    QCOMPARE(window.EditPWM->text(), QString("150"));
    QVERIFY(dialogs.save_proposals.isEmpty());
    QVERIFY(!QFile::exists(In("bad.bin")));
  }

  void SaveOutcomes_data() {
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("cancelled") << false << In("x") << QStringList{};
    QTest::newRow("empty name") << true << QString() << QStringList{"Error file's name"};
    QTest::newRow("no folder") << true << In("none/boot")
                               << QStringList{"Can't open " + In("none/boot.bin")};
    QTest::newRow("upper-case extension") << true << In("boot.BIN") << QStringList{"OK"};
  }
  void SaveOutcomes() {
    QFETCH(bool, confirmed);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    platform::ScriptedDialogs dialogs;
    dialogs.save_answers.push_back({confirmed, name});
    TForm2 window;
    window.Button1Click();
    QCOMPARE(dialogs.messages, messages);
    QVERIFY(window.Memo1->toPlainText().startsWith("61 72"));
    QCOMPARE(QFile::exists(name + ".bin"), messages == QStringList{"OK"});
  }

  void NumericFieldsTakeDigitsOnlyOnceShown() {
    TForm2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.EditXSIZE->clear();
    QTest::keyClicks(window.EditXSIZE, "8a0-0");
    QCOMPARE(window.EditXSIZE->text(), QString("800"));
    window.EditPWMT->clear();
    QTest::keyClicks(window.EditPWMT, "x5");
    QCOMPARE(window.EditPWMT->text(), QString("5"));
  }

  void TypedOverListSelectsNoItem() {
    TForm2 window;
    window.ComboBoxLCDIF->setEditText("16bit");
    window.ComboBoxSpeed->setCurrentIndex(7);
    const BootForm form = window.ReadBootForm();
    QCOMPARE(form.item_indices[kLcdIf], -1);
    QCOMPARE(form.item_indices[kSpeed], 7);
    QCOMPARE(ReadBootSettings(form)->Code(kLcdIf), 0);
  }

  void CloseHidesTheWindow() {
    TForm2 window;
    window.show();
    window.EditXSIZE->setText("480");
    window.Button2->click();
    QVERIFY(window.isHidden());
    QCOMPARE(window.EditXSIZE->text(), QString("480"));
  }
};

QTEST_MAIN(TForm2Tests)
#include "tform2_tests.moc"
