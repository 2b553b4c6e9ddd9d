#include "app/tform1.h"

#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "picture/dither.h"
#include "picture_writer.h"
#include "platform/scripted_dialogs.h"
#include "temp_folder.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Runs the timer's ticks until the run stops or finishes.
void RunToTheEnd(TForm1& form) {
  for (int tick = 0; tick < 100 && form.Timer1->isActive(); ++tick)
    form.Timer1Timer();
}

QStringList LogLines(const TForm1& form) {
  return form.Memo1->toPlainText().split('\n', Qt::SkipEmptyParts);
}

// True when the preview shows exactly these colours.
bool Shows(const QLabel* image, const picture::WorkingBitmap& expected) {
  const QImage shown = image->pixmap().toImage();
  if (shown.width() != expected.Width() || shown.height() != expected.Height())
    return false;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      const picture::Rgb colour = expected.Pixel(x, y);
      if (shown.pixelColor(x, y) != QColor(colour.r, colour.g, colour.b))
        return false;
    }
  }
  return true;
}

}  // namespace

class TForm1Tests : public QObject {
  Q_OBJECT

 private:
  tools::TempFolder* folder_ = nullptr;

  void WriteBmp(const std::string& name, int w, int h) {
    folder_->Write(name,
                   tools::EncodeBmp24(w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3, 9)));
  }

 private slots:
  void init() { folder_ = new tools::TempFolder; }
  void cleanup() { delete folder_; }

  void StartsWithItsCaptionMenuAndDefaults() {
    TForm1 form;
    QCOMPARE(form.windowTitle(), QString("Dravick Tool V1.641"));
    QStringList menu;
    for (QAction* action : form.menuBar()->actions())
      menu << action->text();
    QCOMPARE(menu, QStringList({"Exit", "Bootloader", "Cursor", "Font", "BinFile", "GIFTool",
                                "WAVTool", "Dravick"}));
    QVERIFY(form.ReadPictureSettings() == picture::PictureSettings{});
    QCOMPARE(form.ProgressBar1->maximum(), 100);
    QVERIFY(form.Memo1->toPlainText().isEmpty());
  }

  void MenuShowsTheToolWindows() {
    TForm1 form;
    std::vector<QWidget*> tools;
    for (int i = 0; i < 7; ++i)
      tools.push_back(new QWidget(&form, Qt::Window));
    form.SetToolWindows(tools);
    form.Dravick1->trigger();
    QVERIFY(tools[6]->isVisible());
    QVERIFY(!tools[0]->isVisible());
    form.Bootloader1->trigger();
    QVERIFY(tools[0]->isVisible());
  }

  void InputPictureListsTheFolderAndSelectsTheChoice() {
    WriteBmp("a.bmp", 4, 2);
    WriteBmp("sub/b.bmp", 3, 3);
    WriteBmp("c.bmp", 5, 1);
    folder_->Write("x.gif", "GIF89a");
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    dialogs.open_answers.push_back(Q(folder_->File("c.bmp")));
    form.BtnInputPictureClick();
    QCOMPARE(form.ListBox1->count(), 3);
    QCOMPARE(form.ListBox1->item(2)->text(), Q(folder_->Path() + "sub/b.bmp"));
    QCOMPARE(form.ListBox1->currentRow(), 1);
    QCOMPARE(form.PreviewPicture.Width(), 5);
    QCOMPARE(form.CurrentKind, 3);

    // A GIF fills the list, keeps entry 0 selected and leaves the preview as it was.
    dialogs.open_answers.push_back(Q(folder_->File("x.gif")));
    form.BtnInputPictureClick();
    QCOMPARE(form.ListBox1->currentRow(), 0);
    QCOMPARE(form.CurrentKind, 0);
    QCOMPARE(form.PreviewPicture.Width(), 5);

    // A cancelled dialog changes nothing.
    form.ListBox1->setCurrentRow(2);
    form.BtnInputPictureClick();
    QCOMPARE(form.ListBox1->currentRow(), 2);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(dialogs.open_filters.first().startsWith("All (*.gif;*.jpg;"));
  }

  void RotationAppliesToThePreviewAtLoad() {
    WriteBmp("a.bmp", 4, 2);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    form.RadioGroup2->SetItemIndex(1);
    dialogs.open_answers.push_back(Q(folder_->File("a.bmp")));
    form.BtnInputPictureClick();
    QCOMPARE(form.PreviewPicture.Width(), 2);
    QCOMPARE(form.PreviewPicture.Height(), 4);
  }

  void EmptyAlphaLimitFailsPngsOnly() {
    folder_->Write("a.png", tools::EncodePng({1, 1, 2, 8, {1, 2, 3}, {}}));
    WriteBmp("b.bmp", 1, 1);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    form.EditAPNG->setText("");
    dialogs.open_answers.push_back(Q(folder_->File("a.png")));
    form.BtnInputPictureClick();
    QCOMPARE(dialogs.messages, QStringList({"Fail to Open the file"}));
    QCOMPARE(form.ListBox1->count(), 2);  // the list stays as far as it got
    form.ListBox1->setCurrentRow(1);
    form.ListBox1Click();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(form.CurrentKind, 3);
  }

  void PictureUpAndDownMoveTheSelection() {
    TForm1 form;
    form.ListBox1->addItems({"a", "b", "c"});
    form.ListBox1->setCurrentRow(0);
    form.BtnBmpUPClick();
    QCOMPARE(form.ListBox1->item(0)->text(), QString("a"));
    form.BtnBmpDownClick();
    QCOMPARE(form.ListBox1->item(1)->text(), QString("a"));
    QCOMPARE(form.ListBox1->currentRow(), 1);
    form.ListBox1->setCurrentRow(2);
    form.BtnBmpDownClick();
    QCOMPARE(form.ListBox1->item(2)->text(), QString("c"));
    form.BtnBmpUPClick();
    QCOMPARE(form.ListBox1->item(1)->text(), QString("c"));
    QCOMPARE(form.ListBox1->currentRow(), 1);
  }

  void ConvertButtonsCheckTheListAndTheName() {
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    form.BtnSConvertClick();
    form.BtnMConvertClick();
    QCOMPARE(dialogs.messages, QStringList({"Please input picture!", "Please input picture!"}));
    form.ListBox1->addItem("a.bmp");
    form.BtnMConvertClick();  // cancelled dialog: nothing
    QCOMPARE(dialogs.messages.size(), 2);
    dialogs.save_answers.push_back({true, ""});
    form.BtnSConvertClick();
    QCOMPARE(dialogs.messages.last(), QString("Error file's name"));
    QCOMPARE(dialogs.save_proposals.last(), QString("Picture-"));
    QCOMPARE(dialogs.save_filters.last(), QString("*.bin"));
    QVERIFY(!form.Timer1->isActive());
  }

  void AllConvertRunsOnePicturePerTick() {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
      WriteBmp(name, 10, 10);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    dialogs.open_answers.push_back(Q(folder_->File("b.bmp")));
    form.BtnInputPictureClick();
    dialogs.save_answers.push_back({true, Q(folder_->File("out"))});
    form.BtnMConvertClick();
    QCOMPARE(form.Timer1->interval(), 500);
    QVERIFY(!form.BtnSConvert->isEnabled());
    QVERIFY(!form.BtnMConvert->isEnabled());
    QCOMPARE(form.ListBox1->currentRow(), 0);
    form.Timer1Timer();
    QCOMPARE(form.Timer1->interval(), 50);
    RunToTheEnd(form);
    QCOMPARE(dialogs.messages, QStringList({"Start to convert, please wait...", "Convert ok"}));
    QCOMPARE(LogLines(form).size(), 3);
    QCOMPARE(LogLines(form)[1], Q("{10, 10, 0x000000C8, 0x000000C8},//" + folder_->File("b.bmp")));
    QCOMPARE(folder_->Read("out.bin").size(), std::size_t(600));
    QVERIFY(folder_->Exists("out-Addr.txt"));
    QVERIFY(form.BtnMConvert->isEnabled());
    QCOMPARE(form.ProgressBar1->value(), 100);
  }

  void AFailingPictureStopsTheRun() {
    WriteBmp("a.bmp", 2, 2);
    WriteBmp("b.bmp", 2, 2);
    folder_->Write("c.bmp", "broken");
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    dialogs.open_answers.push_back(Q(folder_->File("a.bmp")));
    form.BtnInputPictureClick();
    dialogs.save_answers.push_back({true, Q(folder_->File("out.bin"))});
    form.BtnMConvertClick();
    RunToTheEnd(form);
    QCOMPARE(dialogs.messages, QStringList({"Start to convert, please wait..."}));
    QCOMPARE(LogLines(form).size(), 3);
    QCOMPARE(LogLines(form)[2], Q("Fail to convert " + folder_->File("c.bmp")));
    QVERIFY(!folder_->Exists("out-Addr.txt"));
    QCOMPARE(folder_->Read("out.bin").size(), std::size_t(16));
    QVERIFY(form.BtnSConvert->isEnabled());
  }

  void DitherAndThresholdShowInThePreviewAndReachTheBytes() {
    // A grey between the panel's R5G6B5 levels.
    folder_->Write("g.bmp", tools::EncodeBmp24(16, 8, std::vector<std::uint8_t>(16 * 8 * 3, 130)));
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    dialogs.open_answers.push_back(Q(folder_->File("g.bmp")));
    QTest::mouseClick(form.BtnInputPicture, Qt::LeftButton);
    const picture::WorkingBitmap source = form.PreviewPicture;
    QVERIFY(Shows(form.Image1, source));

    form.ComboBoxDither->setFocus();
    QTest::keyClick(form.ComboBoxDither, Qt::Key_Down);
    QTest::keyClick(form.ComboBoxDither, Qt::Key_Down);
    QCOMPARE(form.ComboBoxDither->currentText(), QString("Diffusion"));
    picture::EncodeSettings diffusion;
    diffusion.dither = picture::Dither::Diffusion;
    const picture::WorkingBitmap dithered =
        picture::PanelColours(source, picture::PixelForm::R5G6B5, diffusion);
    QVERIFY(!(dithered == source));
    QVERIFY(Shows(form.Image1, dithered));

    // The field holds no luma above 255; Black_White then shows and stores its ink.
    QTest::mouseClick(form.EditThreshold, Qt::LeftButton);
    QTest::keyClicks(form.EditThreshold, "300");
    QCOMPARE(form.EditThreshold->text(), QString("30"));
    form.ComboBox1->setFocus();
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    QCOMPARE(form.ComboBox1->currentText(), QString("Black_White"));
    diffusion.bw_threshold = 30;
    QVERIFY(Shows(form.Image1,
                  picture::PanelColours(source, picture::PixelForm::BlackWhite, diffusion)));
    dialogs.save_answers.push_back({true, Q(folder_->File("dithered"))});
    QTest::mouseClick(form.BtnSConvert, Qt::LeftButton);
    QTRY_VERIFY(folder_->Exists("dithered-Addr.txt"));
    QCOMPARE(folder_->Read("dithered.bin"),
             picture::EncodePicture(source, picture::PixelForm::BlackWhite, diffusion));

    // Emptied, the field means exact black again: a grey has no ink.
    form.EditThreshold->setFocus();
    QTest::keyClick(form.EditThreshold, Qt::Key_Backspace);
    QTest::keyClick(form.EditThreshold, Qt::Key_Backspace);
    QCOMPARE(form.ReadPictureSettings().bw_threshold, -1);
  }

  void SingleConvertEncodesThePreview() {
    WriteBmp("a.bmp", 3, 2);
    WriteBmp("b.bmp", 7, 7);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    dialogs.open_answers.push_back(Q(folder_->File("a.bmp")));
    form.BtnInputPictureClick();
    form.ComboBox1->setCurrentIndex(1);
    dialogs.save_answers.push_back({true, Q(folder_->File("one"))});
    form.BtnSConvertClick();
    RunToTheEnd(form);
    QCOMPARE(LogLines(form),
             QStringList({Q("{3, 2, 0x00000000, 0x00000012},//" + folder_->File("a.bmp"))}));
    QCOMPARE(folder_->Read("one.bin").size(), std::size_t(18));
  }
};

QTEST_MAIN(TForm1Tests)
#include "tform1_tests.moc"
