#include "picture/tform6.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "picture/dither.h"
#include "picture/gif_test_writer.h"
#include "platform/scripted_dialogs.h"

using picture::Rgb;
using picture::testing::GifBytes;
using picture::testing::ReadTestFile;
using picture::testing::ScratchFolder;
using picture::testing::SolidFrame;
using picture::testing::TestGif;

namespace {

const std::vector<Rgb> kPalette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

TestGif Frames(int width, int height, int count) {
  TestGif gif{width, height, kPalette, {}, true};
  for (int i = 0; i < count; ++i)
    gif.frames.push_back(SolidFrame(0, 0, width, height, std::uint8_t(i % 3)));
  return gif;
}

QStringList Entries(const QListWidget* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i)
    entries << list->item(i)->text();
  return entries;
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

class TForm6Tests : public QObject {
  Q_OBJECT

 private:
  void WriteGif(const std::string& name, const TestGif& gif) {
    picture::testing::WriteTestFile(folder_->File(name), GifBytes(gif));
  }
  // Input Picture on the named file of the scratch folder.
  void Input(TForm6& form, const std::string& name) {
    dialogs_->open_answers.push_back(Q(folder_->File(name)));
    form.Button1Click();
  }
  // Waits until the run has ended, with "Convert ok" or by stopping.
  static void WaitForRun(TForm6& form) {
    QTRY_VERIFY_WITH_TIMEOUT(form.BtnAConvert->isEnabled() && !form.Timer1->isActive(), 10000);
  }
  void Save(const std::string& name) {
    dialogs_->save_answers.push_back({true, Q(folder_->File(name))});
  }

  std::unique_ptr<ScratchFolder> folder_;
  std::unique_ptr<platform::ScriptedDialogs> dialogs_;

 private slots:
  void init() {
    folder_ = std::make_unique<ScratchFolder>();
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
  }
  void cleanup() {
    dialogs_.reset();
    folder_.reset();
  }

  void ControlsStartWithTheirDesignValues() {
    TForm6 form;
    QCOMPARE(form.windowTitle(), QString("GIF Tool"));
    QCOMPARE(form.ReadGifSettings(), picture::GifSettings{});
    QCOMPARE(form.CheckBoxNBin->text(), QString("NandFlash BIN   "));
    QCOMPARE(form.findChild<QPushButton*>("BtnAConvert")->text(), QString("All Convert"));
    QCOMPARE(form.findChild<QPushButton*>("Button1")->text(), QString("Input Picture"));
    QVERIFY(!form.Timer1->isActive());
    form.ComboBox1->setEditText("R5G6B5x");
    QCOMPARE(form.ReadGifSettings().pixel_format_index, -1);
  }

  void InputPictureListsTheFolderAndPreviewsTheChoice() {
    WriteGif("b.GIF", Frames(6, 3, 2));
    WriteGif("a.gif", Frames(4, 2, 1));
    picture::testing::WriteTestFile(folder_->File("c.png"), {});
    TForm6 form;
    Input(form, "b.GIF");
    QCOMPARE(dialogs_->open_filters.front(),
             QString("All(*.gif;*.GIF)|*.gif;*.GIF|gif Image File (*.gif)|*.gif|GIF Image File "
                     "(*.GIF)|*.GIF"));
    QCOMPARE(Entries(form.ListBox1), QStringList({"a.gif", "b.GIF"}));
    QCOMPARE(form.ListBox1->currentRow(), 1);
    QCOMPARE(form.GifFolder, folder_->Path());
    QCOMPARE(form.FrameCanvas.Width(), 6);
    QCOMPARE(form.FrameCanvas.Pixel(0, 0), (Rgb{255, 0, 0}));
    QCOMPARE(form.Image1->size(), QSize(6, 3));

    form.RadioGroup2->SetItemIndex(1);
    form.ListBox1->setCurrentRow(0);
    form.ListBox1Click();
    QCOMPARE(form.Image1->size(), QSize(2, 4));
    QVERIFY(dialogs_->messages.isEmpty());

    form.Button1Click();  // cancelled: nothing changes
    QCOMPARE(Entries(form.ListBox1), QStringList({"a.gif", "b.GIF"}));
  }

  void BrokenOrMissingChoicesSayFailToOpen() {
    picture::testing::WriteTestFile(folder_->File("bad.gif"), {'G', 'I', 'F', '8', '9', 'a', 0});
    const std::string long_name = std::string(130, 'n') + ".gif";
    WriteGif("a.gif", Frames(2, 2, 1));
    TForm6 form;
    Input(form, "bad.gif");
    QCOMPARE(dialogs_->messages, QStringList({"Fail to Open the file"}));
    QCOMPARE(form.ListBox1->currentRow(), 1);

    WriteGif(long_name, Frames(2, 2, 1));
    Input(form, long_name);
    QCOMPARE(form.ListBox1->currentRow(), 0);  // over 129 characters: entry 0 stays selected
  }

  void ConvertNeedsGifs() {
    TForm6 form;
    form.BtnSConvertClick();
    form.BtnAConvertClick();
    QCOMPARE(dialogs_->messages,
             QStringList({"Please input gif files!", "Please input gif files!"}));
  }

  void AllConvertWritesEveryFrameAndTheAddressList() {
    WriteGif("a.gif", Frames(100, 50, 3));
    WriteGif("b.gif", Frames(2, 1, 1));
    TForm6 form;
    Input(form, "b.gif");
    Save("anim");
    form.BtnAConvertClick();
    QCOMPARE(dialogs_->save_proposals, QStringList({"Gif-"}));
    QCOMPARE(dialogs_->save_filters, QStringList({"*.bin"}));
    QVERIFY(!form.BtnSConvert->isEnabled());
    QVERIFY(!form.Button1->isEnabled());
    WaitForRun(form);
    QCOMPARE(dialogs_->messages, QStringList({"Start to convert, please wait...", "Convert ok"}));
    QCOMPARE(form.Memo1->toPlainText(),
             QString("//0\n{100, 50, 0x00000000, 0x00002710},//a.gif-Frames0\n"
                     "{100, 50, 0x00002710, 0x00002710},//a.gif-Frames1\n"
                     "{100, 50, 0x00004E20, 0x00002710},//a.gif-Frames2\n"
                     "//1\n{2, 1, 0x00007530, 0x00000004},//b.gif-Frames0"));
    QCOMPARE(ReadTestFile(folder_->File("anim.bin")).size(), std::size_t{30004});
    const auto list = ReadTestFile(folder_->File("anim-Addr.txt"));
    QVERIFY(std::string(list.begin(), list.end()).ends_with("//b.gif-Frames0\n\r\n"));
    QCOMPARE(form.NextAddress, 30004);
    QCOMPARE(form.ListBox1->currentRow(), 1);  // the run leaves the selection alone
  }

  void SingleConvertTakesTheSelectedEntry() {
    for (const char* name : {"a.gif", "b.gif", "c.gif"})
      WriteGif(name, Frames(3, 2, 1));
    TForm6 form;
    Input(form, "c.gif");
    form.RadioGroup2->SetItemIndex(1);
    Save("one.bin");
    form.BtnSConvertClick();
    WaitForRun(form);
    QCOMPARE(form.Memo1->toPlainText(),
             QString("//2\n{2, 3, 0x00000000, 0x0000000C},//c.gif-Frames0"));
    QCOMPARE(form.PictureWidth, 2);
    QCOMPARE(dialogs_->messages.last(), QString("Convert ok"));
  }

  void SaveDialogOutcomes() {
    WriteGif("a.gif", Frames(2, 2, 1));
    TForm6 form;
    Input(form, "a.gif");
    form.Memo1->setPlainText("old log");
    form.BtnSConvertClick();  // cancelled
    QCOMPARE(form.Memo1->toPlainText(), QString());
    QVERIFY(!form.Timer1->isActive());
    dialogs_->save_answers.push_back({true, ""});
    form.BtnAConvertClick();
    QCOMPARE(dialogs_->messages, QStringList({"Error file's name"}));
    QVERIFY(!form.Timer1->isActive());
  }

  void AFailingGifStopsTheRun() {
    WriteGif("a.gif", Frames(2, 2, 2));
    auto truncated = GifBytes(Frames(2, 2, 2));
    truncated.resize(truncated.size() - 6);
    picture::testing::WriteTestFile(folder_->File("b.gif"), truncated);
    TForm6 form;
    Input(form, "a.gif");
    Save("out.bin");
    form.BtnAConvertClick();
    WaitForRun(form);
    QCOMPARE(form.Memo1->toPlainText(),
             QString("//0\n{2, 2, 0x00000000, 0x00000008},//a.gif-Frames0\n"
                     "{2, 2, 0x00000008, 0x00000008},//a.gif-Frames1\n//1\nFail to convert b.gif"));
    QCOMPARE(dialogs_->messages, QStringList({"Start to convert, please wait..."}));
    QVERIFY(!std::filesystem::exists(folder_->File("out-Addr.txt")));
    QCOMPARE(ReadTestFile(folder_->File("out.bin")).size(), std::size_t{16});
  }

  void AllConvertDoesNotStartWhenTheFirstGifFails() {
    picture::testing::WriteTestFile(folder_->File("a.gif"), {'n', 'o'});
    WriteGif("b.gif", Frames(2, 2, 1));
    TForm6 form;
    Input(form, "b.gif");
    Save("out.bin");
    form.BtnAConvertClick();
    QCOMPARE(dialogs_->messages.size(), 2);
    QVERIFY(dialogs_->messages.last().startsWith("GIF: "));
    QVERIFY(!form.Timer1->isActive());
    QVERIFY(form.BtnAConvert->isEnabled());
  }

  // The module's view of the frame, refreshed as the form and mirroring change; off, the
  // frame as drawn.
  void PanelPreviewShowsWhatTheModuleShows() {
    const Rgb colour{18, 52, 86}, grey{130, 130, 130};
    picture::testing::TestGifFrame frame = SolidFrame(0, 0, 2, 1, 0);
    frame.indexes = {0, 1};
    WriteGif("two.gif", {2, 1, {colour, grey}, {frame}, true});
    TForm6 form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    dialogs_->open_answers.push_back(Q(folder_->File("two.gif")));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.CheckBoxPanel->text(), QString("Panel preview"));
    QVERIFY(!form.CheckBoxPanel->isChecked());
    auto top_row = [&form] {
      const QImage shown = form.Image1->pixmap().toImage();
      return QList<QColor>{shown.pixelColor(0, 0), shown.pixelColor(1, 0)};
    };
    const QList<QColor> drawn{QColor(18, 52, 86), QColor(130, 130, 130)};
    QCOMPARE(top_row(), drawn);

    QTest::mouseClick(form.CheckBoxPanel, Qt::LeftButton, {},
                      QPoint(6, form.CheckBoxPanel->height() / 2));
    const QList<QColor> r5g6b5{QColor(16, 52, 82), QColor(132, 130, 132)};
    QCOMPARE(top_row(), r5g6b5);
    QTest::mouseClick(form.CheckBoxX, Qt::LeftButton, {}, QPoint(6, form.CheckBoxX->height() / 2));
    QCOMPARE(top_row(), QList<QColor>({r5g6b5[1], r5g6b5[0]}));
    QTest::mouseClick(form.CheckBoxX, Qt::LeftButton, {}, QPoint(6, form.CheckBoxX->height() / 2));

    form.ComboBox1->setFocus();
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    QCOMPARE(form.ComboBox1->currentText(), QString("R8G8B8"));
    QCOMPARE(top_row(), drawn);
    QTest::keyClick(form.ComboBox1, Qt::Key_Up);
    QCOMPARE(top_row(), r5g6b5);

    form.CheckBoxPanel->setFocus();
    QTest::keyClick(form.CheckBoxPanel, Qt::Key_Space);
    QVERIFY(!form.CheckBoxPanel->isChecked());
    QCOMPARE(top_row(), drawn);
  }

  void DitherShowsInThePreviewAndReachesTheFrames() {
    // A colour between the panel's R5G6B5 levels.
    WriteGif("between.gif", {8, 8, {{18, 52, 86}}, {SolidFrame(0, 0, 8, 8, 0)}, true});
    TForm6 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    dialogs_->open_answers.push_back(Q(folder_->File("between.gif")));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    const QImage plain = form.Image1->pixmap().toImage();
    QCOMPARE(plain.pixelColor(0, 0), QColor(18, 52, 86));

    form.ComboBoxDither->setFocus();
    QTest::keyClick(form.ComboBoxDither, Qt::Key_Down);
    QCOMPARE(form.ComboBoxDither->currentText(), QString("Ordered"));
    const picture::GifSettings settings = form.ReadGifSettings();
    const picture::WorkingBitmap dithered =
        picture::PanelColours(form.FrameCanvas, picture::PixelForm::R5G6B5, settings.Encode());
    const QImage shown = form.Image1->pixmap().toImage();
    QVERIFY(shown != plain);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        QCOMPARE(shown.pixelColor(x, y),
                 QColor(dithered.Pixel(x, y).r, dithered.Pixel(x, y).g, dithered.Pixel(x, y).b));

    Save("dithered");
    QTest::mouseClick(form.BtnAConvert, Qt::LeftButton);
    WaitForRun(form);
    QCOMPARE(
        ReadTestFile(folder_->File("dithered.bin")),
        picture::EncodePicture(form.FrameCanvas, picture::PixelForm::R5G6B5, settings.Encode()));
  }

  void ResizeKeepsTheListAtHalfThePanel() {
    TForm6 form;
    form.setWindowState(Qt::WindowNoState);
    form.resize(900, 1000);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.ListBox1->height(), form.PanelCtrl->height() / 2);
    form.resize(900, 1200);
    QTRY_COMPARE(form.ListBox1->height(), form.PanelCtrl->height() / 2);
    // Half is a ceiling: the window can be made as short as a laptop screen, the list
    // giving way while it stays whole inside its panel.
    QVERIFY(form.minimumSizeHint().height() <= 700);
    form.resize(900, 700);
    QTRY_COMPARE(form.height(), 700);
    QTRY_VERIFY(form.ListBox1->height() < form.PanelCtrl->height() / 2);
    const QRect list(form.ListBox1->mapTo(form.PanelCtrl, QPoint(0, 0)), form.ListBox1->size());
    QVERIFY(form.PanelCtrl->rect().contains(list));
    QVERIFY(form.ListBox1->height() >= form.ListBox1->minimumHeight());
  }

  void PanelsCarryTheirCaptions() {
    TForm6 form;
    QCOMPARE(form.PanelPicture->title(), QString("GIF Picture"));
    QCOMPARE(form.PanelCtrl->title(), QString("Ctrl"));
    QVERIFY(form.windowState() & Qt::WindowMaximized);
  }

  void ArrowKeysPreviewTheGifTheyReach() {
    WriteGif("a.gif", Frames(4, 3, 1));
    WriteGif("b.gif", Frames(6, 5, 1));
    WriteGif("c.gif", Frames(8, 7, 1));
    TForm6 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Input(form, "a.gif");
    QCOMPARE(form.FrameCanvas.Width(), 4);
    form.ListBox1->setFocus();
    QTest::keyClick(form.ListBox1, Qt::Key_Down);
    QCOMPARE(form.FrameCanvas.Width(), 6);
    QTest::keyClick(form.ListBox1, Qt::Key_End);
    QCOMPARE(form.FrameCanvas.Width(), 8);
    // A click on the entry already selected previews it again, once.
    form.RadioGroup2->SetItemIndex(1);
    const QRect last = form.ListBox1->visualItemRect(form.ListBox1->item(2));
    QTest::mouseClick(form.ListBox1->viewport(), Qt::LeftButton, {}, last.center());
    QCOMPARE(form.Image1->width(), 7);  // turned a quarter
    QTest::mouseClick(form.ListBox1->viewport(), Qt::LeftButton, {},
                      form.ListBox1->visualItemRect(form.ListBox1->item(0)).center());
    QCOMPARE(form.FrameCanvas.Width(), 4);
    QCOMPARE(form.Image1->width(), 3);

    // Single Convert names the GIF the keys reached.
    QTest::keyClick(form.ListBox1, Qt::Key_Down);
    Save("one.bin");
    QTest::mouseClick(form.BtnSConvert, Qt::LeftButton);
    WaitForRun(form);
    QVERIFY(form.Memo1->toPlainText().startsWith(
        "//1\n{5, 6, 0x00000000, 0x0000003C},//b.gif-Frames0"));
    QVERIFY(dialogs_->messages.endsWith("Convert ok"));
  }
};

QTEST_MAIN(TForm6Tests)
#include "tform6_tests.moc"
