#include "font/tform4.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>

#include "font/charset_codes.h"
#include "font/charset_library.h"
#include "font/font_file.h"
#include "platform/file_io.h"
#include "platform/scripted_dialogs.h"

class TForm4Test : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  QString In(const QString& name) const { return folder_.filePath(name); }
  static qint64 FileSize(const QString& path) { return QFileInfo(path).size(); }
  // Key presses typing `text`, Chinese characters included.
  static void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 0x80)
        QTest::keyClick(field, c.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  static void ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
  static platform::SaveChoice Save(const QString& name) { return {true, name}; }
  // The glyph settings the window's controls hold.
  static font::GlyphSettings ReadSettings(const TForm4& window) {
    font::GlyphSettings settings;
    settings.width_text = window.EditFW->text().toStdString();
    settings.height_text = window.EditFH->text().toStdString();
    settings.gray_limit_text = window.EditCTLimit->text().toStdString();
    settings.x_offset = window.XOffset;
    settings.y_offset = window.YOffset;
    settings.rotation = window.RadioGroup2->ItemIndex();
    settings.reverse_x = window.CheckBoxX->isChecked();
    settings.reverse_y = window.CheckBoxY->isChecked();
    return settings;
  }
  // U+0041..U+0044 drawn with these settings throughout.
  static platform::Bytes UnicodeLibrary(const font::GlyphSettings& settings,
                                        const platform::FontChoice& choice) {
    font::LibraryRequest request;
    request.set = font::CharacterSet::Unicode;
    request.start_text = "0041";
    request.end_text = "0044";
    request.glyph = settings;
    auto rasteriser = platform::GlyphRasteriser::Open(choice);
    return font::BuildCharsetLibrary(request, **rasteriser).library;
  }

 private slots:
  void initTestCase() { qunsetenv("LC_ALL"), qunsetenv("LC_CTYPE"), qunsetenv("LANG"); }

  void StartsWithTheWindowsDefaults() {
    TForm4 window;
    QCOMPARE(window.windowTitle(), QString("Creat Chinese Font Lib "));
    QCOMPARE(window.ComboBoxCode->currentText(), QString("GB2312"));
    QVERIFY(window.ComboBoxCode->isEnabled());
    QCOMPARE(window.Edit1->text(), QString("BBAA"));
    QCOMPARE(window.EditCTLimit->text(), QString("200"));
    QCOMPARE(window.EditFW->text(), QString("16"));
    QCOMPARE(window.XOffset, 2);
    QCOMPARE(window.YOffset, 1);
    QVERIFY(!window.CheckBoxWhole->isEnabled());
    QVERIFY(!window.LabelFace->text().isEmpty());
    // The 16 x 16 reference glyph shows as 65 x 65 previews, centred in their boxes.
    QCOMPARE(window.Image1->size(), QSize(65, 65));
    QCOMPARE(window.Image2->x(), (window.GroupBoxSyst->width() - 65) / 2);
    QCOMPARE(window.Image2->y(), (window.GroupBoxSyst->height() - 65) / 2);
  }

  void TraditionalLocaleFixesBig5() {
    qputenv("LC_ALL", "zh_TW.UTF-8");
    TForm4 window;
    qunsetenv("LC_ALL");
    QVERIFY(window.traditionalLocale);
    QCOMPARE(window.ComboBoxCode->currentText(), QString("BIG5"));
    QVERIFY(!window.ComboBoxCode->isEnabled());
    QCOMPARE(window.Edit1->text(), QString("B5D8"));
  }

  void TestButtonsListTheGlyphBytes() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.Edit1->setText("B0A1");
    window.ButtonTest->click();
    const QStringList lines = window.Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 5);  // four lines of eight entries, then the empty rest
    QVERIFY(lines[0].startsWith("0x") && lines[0].endsWith(", "));
    QCOMPARE(lines[0].count("0x"), 8);

    window.Edit3->setText("AC80");
    window.Button2->click();
    const QString unicode = window.Memo1->toPlainText();
    window.Edit2->setText(QString::fromUtf8("\uAC80"));  // not in GBK: drawn as "?"
    window.ButtonCHINPUT->click();
    QVERIFY(window.Memo1->toPlainText() != unicode);
    QVERIFY(dialogs.messages.isEmpty());
  }

  void TypedFieldsKeepTheirShape() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    ShowActive(window);
    // Typed over the whole field (select-all first), then Enter completes the entry.
    const struct {
      QLineEdit* field;
      const char* typed;
      const char* while_typing;
      const char* complete;
    } cases[] = {
        {window.Edit1, "B0A1", "B0A1", "B0A1"},      {window.Edit1, "1g", "10", "1000"},
        {window.Edit3, "ab", "AB", "AB00"},          {window.EditUNIS, "12345", "1234", "1234"},
        {window.EditUNIE, "汉", "00", "0000"},       {window.EditUNIE, "", "", "0000"},
        {window.EditCTLimit, "1", "1", "1"},         {window.EditCTLimit, "999", "255", "255"},
        {window.EditCTLimit, "0200", "0200", "200"}, {window.EditCTLimit, "7x", "7", "7"}};
    for (const auto& c : cases) {
      c.field->setFocus();
      QTest::keyClick(c.field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(c.field, Qt::Key_Backspace);
      Type(c.field, QString::fromUtf8(c.typed));
      QCOMPARE(c.field->text(), QString(c.while_typing));
      QTest::keyClick(c.field, Qt::Key_Return);
      QCOMPARE(c.field->text(), QString(c.complete));
    }
    // The caret stays where the user puts it: one digit replaced in the middle.
    window.Edit1->setFocus();
    window.Edit1->setText("BBAA");
    QTest::keyClick(window.Edit1, Qt::Key_Home);
    QTest::keyClick(window.Edit1, Qt::Key_Right);
    QTest::keyClick(window.Edit1, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(window.Edit1, Qt::Key_0);
    QCOMPARE(window.Edit1->text(), QString("B0AA"));
    QCOMPARE(window.Edit1->cursorPosition(), 2);
    // A field emptied with Backspace stays empty while the user types on, and leaving
    // it completes the entry.
    QTest::keyClick(window.Edit1, Qt::Key_End);
    for (int i = 0; i < 4; ++i)
      QTest::keyClick(window.Edit1, Qt::Key_Backspace);
    QCOMPARE(window.Edit1->text(), QString());
    QTest::keyClick(window.Edit1, Qt::Key_C);
    QTest::keyClick(window.Edit1, Qt::Key_Tab);
    QCOMPARE(window.Edit1->text(), QString("C000"));
    QVERIFY(!window.Edit1->hasFocus());
    // Clearing the gray limit shows nothing while typing; the field is read when used.
    window.EditCTLimit->setFocus();
    QTest::keyClick(window.EditCTLimit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.EditCTLimit, Qt::Key_Delete);
    QTest::keyClick(window.EditCTLimit, Qt::Key_Tab);
    QCOMPARE(window.EditCTLimit->text(), QString());
    QVERIFY(dialogs.messages.isEmpty());
    QTest::mouseClick(window.ButtonTest, Qt::LeftButton);
    QCOMPARE(dialogs.messages, QStringList{"'' is not a valid integer value"});
  }

  void ShownFieldsTakeDigitsOnly() {
    TForm4 window;
    window.show();
    window.EditFW->clear();
    QTest::keyClicks(window.EditFW, "1a2");
    QCOMPARE(window.EditFW->text(), QString("12"));
  }

  void PositionBarsMoveOnePixelPerChange() {
    TForm4 window;
    window.ScrollBar1->setValue(60);
    QCOMPARE(window.XOffset, 3);
    window.ScrollBar1->setValue(50);
    QCOMPARE(window.XOffset, 2);
    window.ScrollBar2->setValue(49);
    QCOMPARE(window.YOffset, 0);
  }

  void MakeBinWritesTheLibrary() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.show();
    dialogs.save_answers.push_back(Save(In("Font_C1_16")));
    // The window draws its progress bar and pumps its events after every glyph; both
    // times are printed to see that this does not dominate the run.
    auto rasteriser = platform::GlyphRasteriser::Open({});
    font::BuildCharsetLibrary({}, **rasteriser);  // forms and code pages warmed up
    QElapsedTimer clock;
    clock.start();
    font::BuildCharsetLibrary({}, **rasteriser);
    const qint64 core_ms = clock.restart();
    window.ButtonMakeBin->click();
    qInfo("GB2312: %lld ms in the core alone, %lld ms in the window", core_ms, clock.elapsed());
    QCOMPARE(FileSize(In("Font_C1_16.bin")), 267264);
    QCOMPARE(dialogs.messages, QStringList{"GB2312 Font Lib ok"});
    QCOMPARE(dialogs.save_proposals, QStringList{"Font_"});
    QCOMPARE(dialogs.save_filters, QStringList{"*.bin"});
    QCOMPARE(window.ProgressBar1->value(), 100);

    // The slot of 0xB0A1 holds the bytes "Test Code" lists.
    window.Edit1->setText("B0A1");
    window.ButtonTest->click();
    const auto library = platform::ReadFileBytes(In("Font_C1_16.bin").toStdString());
    const std::string slot = font::GlyphByteListing(
        std::span(library->data() + font::SlotOf(font::CharacterSet::Gb2312, 0xB0A1) * 32, 32));
    QCOMPARE(window.Memo1->toPlainText(), QString::fromStdString(slot).replace("\r\n", "\n"));
  }

  void UnicodeRangeErrorsStopBeforeTheDialog() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.ComboBoxCode->setCurrentIndex(4);
    window.EditUNIS->setText("D7A3");
    window.EditUNIE->setText("AC00");
    window.ButtonMakeBin->click();
    QCOMPARE(window.Memo1->toPlainText(), QString("Unicode start:D7A3\nUnicode end:AC00"));
    QCOMPARE(dialogs.messages, QStringList{"Error for start code > end code. And stop."});
    QVERIFY(dialogs.save_proposals.isEmpty());
  }

  void CancelledSaveShowsNoCompletion() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.ComboBoxCode->setCurrentIndex(4);
    window.EditUNIS->setText("0041");
    window.EditUNIE->setText("0042");
    window.ButtonMakeBin->click();  // nothing scripted: the dialog is cancelled
    QCOMPARE(dialogs.messages, QStringList{"Error file's name"});
    dialogs.save_answers.push_back(Save(In("missing/x")));
    window.ButtonMakeBin->click();
    QCOMPARE(dialogs.messages.last(), QString("open Creat file error!\n"));
  }

  void CloseDuringARunLeavesNoFileAndRunsAgainLater() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.show();
    bool locked_during_run = false;
    QTimer::singleShot(0, &window, [&] {
      locked_during_run = !window.ButtonMakeBin->isEnabled() && !window.EditFW->isEnabled() &&
                          !window.RadioGroup2->isEnabled() && window.Running;
      window.ButtonClose->click();
    });
    dialogs.save_answers.push_back(Save(In("closed")));
    window.ButtonMakeBin->click();
    QVERIFY(locked_during_run);
    QVERIFY(window.isHidden());
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(In("closed.bin")));
    QVERIFY(window.ButtonMakeBin->isEnabled());

    window.show();
    window.ComboBoxCode->setCurrentIndex(4);
    window.EditUNIS->setText("0041");
    window.EditUNIE->setText("0041");
    window.ButtonMakeBin->click();
    QCOMPARE(dialogs.messages, QStringList{"UniCode Font Lib ok"});
    QCOMPARE(FileSize(In("closed.bin")), 32);
  }

  void StringBinWritesTheStringFont() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    const std::string text = "AB\r\n\xBA\xBA\xBA\xBA";
    QVERIFY(platform::WriteFileAtomically(
        In("text.txt").toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    dialogs.open_answers.push_back(In("text.txt"));
    dialogs.save_answers.push_back(Save(In("Font_str")));
    window.Button1->click();
    QCOMPARE(dialogs.messages, QStringList{"String Font bin ok"});
    const auto file = platform::ReadFileBytes(In("Font_str.bin").toStdString());
    QCOMPARE(file->size(), std::size_t(148));
    QCOMPARE(window.Memo2->toPlainText(), QString::fromUtf8("AB\n汉汉"));

    window.Button1->click();  // no file chosen: nothing happens
    QCOMPARE(dialogs.messages.size(), 1);
  }

  void EmptyFieldsStopWithTheConversionError() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.EditFW->setText("");
    window.ButtonMakeBin->click();
    QCOMPARE(dialogs.messages, QStringList{"'' is not a valid integer value"});
    QVERIFY(dialogs.save_proposals.isEmpty());
  }

  void FontFallbackDrawsWhatTheFaceLacksAndNamesTheFace() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.CheckBoxFallback->text(), QString("Font fallback"));
    QVERIFY(window.CheckBoxFallback->isChecked());

    // "UniCode" with AC00, which the stand-in face lacks: the Hangul face draws it.
    QCOMPARE(window.Edit3->text(), QString("AC00"));
    QTest::mouseClick(window.Button2, Qt::LeftButton);
    QCOMPARE(window.LabelGlyphFace->text(), QString("Drawn with LexiGulim"));
    const QString drawn = window.Memo1->toPlainText();

    // Off, by the keyboard: the stand-in's own missing-glyph cell.
    window.CheckBoxFallback->setFocus();
    QTest::keyClick(window.CheckBoxFallback, Qt::Key_Space);
    QVERIFY(!window.CheckBoxFallback->isChecked());
    QTest::mouseClick(window.Button2, Qt::LeftButton);
    QVERIFY(window.LabelGlyphFace->text().startsWith("No glyph in AR PL UMing"));
    QVERIFY(window.Memo1->toPlainText() != drawn);

    // On again, by the mouse: "Make Bin" of the Unicode set logs the face that stood in.
    QTest::mouseClick(window.CheckBoxFallback, Qt::LeftButton, {},
                      QPoint(6, window.CheckBoxFallback->height() / 2));  // on its box
    QVERIFY(window.CheckBoxFallback->isChecked());
    window.ComboBoxCode->setFocus();
    QTest::keyClick(window.ComboBoxCode, Qt::Key_End);
    QCOMPARE(window.ComboBoxCode->currentText(), QString("UniCode"));
    dialogs.save_answers.push_back(Save(In("hangul")));
    QTest::mouseClick(window.ButtonMakeBin, Qt::LeftButton);
    QCOMPARE(dialogs.messages, QStringList{"UniCode Font Lib ok"});
    QVERIFY(window.Memo1->toPlainText().endsWith(
        "Unicode nmuber:11172\n11172 characters drawn with LexiGulim"));
    const auto library = platform::ReadFileBytes(In("hangul.bin").toStdString());
    QCOMPARE(QString::fromStdString(font::GlyphByteListing(std::span(library->data(), 32)))
                 .replace("\r\n", "\n"),
             drawn);
  }

  void SelectFontChangesTheFace() {
    platform::ScriptedDialogs dialogs;
    TForm4 window;
    QFont chosen("DejaVu Sans");
    chosen.setPixelSize(12);
    dialogs.font_answers.push_back(chosen);
    window.ButtonSFont->click();
    QCOMPARE(window.LabelFace->text(), QString("DejaVu Sans"));
    QCOMPARE(window.FontChoice.pixel_height, 12);
    window.ButtonSFont->click();  // cancelled: the font stays
    QCOMPARE(window.LabelFace->text(), QString("DejaVu Sans"));
  }

  // What the user changes during a run applies from the next glyph; the cell size and
  // the rotation are locked, and the rest leaves the run alone. Each action is done
  // after the first of four glyphs.
  void ControlsUsedDuringARunApplyFromTheNextGlyph() {
    using Settings = font::GlyphSettings;
    QFont dejavu("DejaVu Sans");
    dejavu.setPixelSize(12);
    const struct {
      const char* control;
      std::function<void(TForm4&, platform::ScriptedDialogs&)> act;
      std::function<void(Settings&, platform::FontChoice&)> expect;
    } cases[] = {
        {"ReverseX",
         [](TForm4& w, auto&) {
           QTest::mouseClick(w.CheckBoxX, Qt::LeftButton, {}, {4, 4});
         },
         [](Settings& s, auto&) { s.reverse_x = true; }},
        {"ReverseY", [](TForm4& w, auto&) { QTest::keyClick(w.CheckBoxY, Qt::Key_Space); },
         [](Settings& s, auto&) { s.reverse_y = true; }},
        {"H Position", [](TForm4& w, auto&) { QTest::keyClick(w.ScrollBar1, Qt::Key_Right); },
         [](Settings& s, auto&) { s.x_offset = 3; }},
        {"V Position", [](TForm4& w, auto&) { QTest::keyClick(w.ScrollBar2, Qt::Key_Left); },
         [](Settings& s, auto&) { s.y_offset = 0; }},
        {"Gray Limit",
         [](TForm4& w, auto&) {
           QTest::keyClick(w.EditCTLimit, Qt::Key_A, Qt::ControlModifier);
           QTest::keyClicks(w.EditCTLimit, "0");  // no pixel is ink
         },
         [](Settings& s, auto&) { s.gray_limit_text = "0"; }},
        {"Gray Limit emptied",  // no number yet: the limit stays
         [](TForm4& w, auto&) {
           QTest::keyClick(w.EditCTLimit, Qt::Key_A, Qt::ControlModifier);
           QTest::keyClick(w.EditCTLimit, Qt::Key_Delete);
         },
         [](Settings&, auto&) {}},
        {"Select Font",
         [&dejavu](TForm4& w, platform::ScriptedDialogs& d) {
           d.font_answers.push_back(dejavu);
           QTest::mouseClick(w.ButtonSFont, Qt::LeftButton);
         },
         [](Settings&, platform::FontChoice& f) {
           f.family = "DejaVu Sans";
           f.pixel_height = 12;
         }},
        {"Test Code", [](TForm4& w, auto&) { QTest::mouseClick(w.ButtonTest, Qt::LeftButton); },
         [](Settings&, auto&) {}},
        {"UniCode", [](TForm4& w, auto&) { QTest::mouseClick(w.Button2, Qt::LeftButton); },
         [](Settings&, auto&) {}},
        {"the character set", [](TForm4& w, auto&) { QTest::keyClick(w.ComboBoxCode, Qt::Key_Up); },
         [](Settings&, auto&) {}},
        {"End Code", [](TForm4& w, auto&) { QTest::keyClicks(w.EditUNIE, "9"); },
         [](Settings&, auto&) {}},
        {"Font Width (locked)", [](TForm4& w, auto&) { QTest::keyClicks(w.EditFW, "2"); },
         [](Settings&, auto&) {}},
        {"Rotation (locked)",
         [](TForm4& w, auto&) {
           QTest::mouseClick(w.RadioGroup2->findChildren<QRadioButton*>().at(1), Qt::LeftButton);
         },
         [](Settings&, auto&) {}},
    };
    for (const auto& c : cases) {
      platform::ScriptedDialogs dialogs;
      TForm4 window;
      ShowActive(window);
      window.ComboBoxCode->setCurrentIndex(4);
      window.EditUNIS->setText("0041");
      window.EditUNIE->setText("0044");
      const Settings before = ReadSettings(window);
      const platform::FontChoice font_before = window.FontChoice;
      bool done = false;
      connect(window.ProgressBar1, &QProgressBar::valueChanged, &window, [&](int percent) {
        if (percent > 0 && !done) {
          done = true;
          c.act(window, dialogs);
        }
      });
      const QString name = In(QString("live-%1").arg(c.control).replace(' ', '_'));
      dialogs.save_answers.push_back(Save(name));
      QTest::mouseClick(window.ButtonMakeBin, Qt::LeftButton);
      QVERIFY2(done, c.control);
      QCOMPARE(dialogs.messages, QStringList{"UniCode Font Lib ok"});

      Settings after = before;
      platform::FontChoice font_after = font_before;
      c.expect(after, font_after);
      const platform::Bytes first = UnicodeLibrary(before, font_before);
      const platform::Bytes rest = UnicodeLibrary(after, font_after);
      platform::Bytes expected(first.begin(), first.begin() + 32);
      expected.insert(expected.end(), rest.begin() + 32, rest.end());
      QVERIFY2(platform::ReadFileBytes((name + ".bin").toStdString()) == expected, c.control);
    }
  }
};

QTEST_MAIN(TForm4Test)
#include "tform4_tests.moc"
