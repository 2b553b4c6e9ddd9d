#include "app/tform1.h"

#include <QApplication>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <deque>
#include <functional>

#include "picture/dither.h"
#include "picture/preview_image.h"
#include "picture_writer.h"
#include "platform/program_end.h"
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

// The colours the preview shows along its top row.
QList<QColor> TopRow(const QLabel* image) {
  const QImage shown = image->pixmap().toImage();
  QList<QColor> row;
  for (int x = 0; x < shown.width(); ++x)
    row << shown.pixelColor(x, 0);
  return row;
}

void Click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
}

// A click on a check box's or radio button's own box, at its left end.
void ClickBox(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void ClickEntry(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

void ClickMenu(TForm1& form, QAction* action) {
  QTest::mouseClick(form.menuBar(), Qt::LeftButton, {},
                    form.menuBar()->actionGeometry(action).center());
}

void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Waits, with the timer really ticking, until the run has ended.
bool WaitForTheRun(const TForm1& form) {
  return QTest::qWaitFor(
      [&form] { return !form.Timer1->isActive() && form.BtnMConvert->isEnabled(); }, 20000);
}

}  // namespace

class TForm1Tests : public QObject {
  Q_OBJECT

 private:
  tools::TempFolder* folder_ = nullptr;

  // Input Picture, clicked, choosing the named picture of the folder.
  void Input(TForm1& form, platform::ScriptedDialogs& dialogs, const std::string& name) {
    dialogs.open_answers.push_back(Q(folder_->File(name)));
    Click(form.BtnInputPicture);
  }

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
                                "WAVTool", "Dravick", "Viewer"}));
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

  // The module's view: what the bytes a tick would store hold, refreshed as the settings
  // change; unchecked, the preview is the picture as loaded.
  void PanelPreviewShowsWhatTheModuleShows() {
    // A grey between R5G6B5 levels, a near-black, black and a colour.
    folder_->Write("p.bmp",
                   tools::EncodeBmp24(4, 1, {130, 130, 130, 1, 1, 1, 0, 0, 0, 18, 52, 86}));
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    ShowActive(form);
    QCOMPARE(form.CheckBoxPanel->text(), QString("Panel preview"));
    QVERIFY(!form.CheckBoxPanel->isChecked());
    Input(form, dialogs, "p.bmp");
    const QList<QColor> loaded{QColor(130, 130, 130), QColor(1, 1, 1), QColor(0, 0, 0),
                               QColor(18, 52, 86)};
    QCOMPARE(TopRow(form.Image1), loaded);

    // R5G6B5 keeps the top bits, widened by bit replication.
    ClickBox(form.CheckBoxPanel);
    QVERIFY(form.CheckBoxPanel->isChecked());
    const QList<QColor> r5g6b5{QColor(132, 130, 132), QColor(0, 0, 0), QColor(0, 0, 0),
                               QColor(16, 52, 82)};
    QCOMPARE(TopRow(form.Image1), r5g6b5);

    // BGR read back as stored, and NAND padding, change nothing the panel shows;
    // ReverseX does.
    ClickBox(form.RadioGroup1->findChildren<QRadioButton*>().at(1));
    ClickBox(form.CheckBoxNBin);
    QCOMPARE(TopRow(form.Image1), r5g6b5);
    ClickBox(form.CheckBoxX);
    QCOMPARE(TopRow(form.Image1), QList<QColor>(r5g6b5.rbegin(), r5g6b5.rend()));
    ClickBox(form.CheckBoxX);

    // Black_White: only exact black is ink.
    form.ComboBox1->setFocus();
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    QCOMPARE(form.ComboBox1->currentText(), QString("Black_White"));
    const QColor white(255, 255, 255), black(0, 0, 0);
    QCOMPARE(TopRow(form.Image1), QList<QColor>({white, white, black, white}));

    // Space on the box: off shows the picture as loaded, on the module's view again.
    form.CheckBoxPanel->setFocus();
    QTest::keyClick(form.CheckBoxPanel, Qt::Key_Space);
    QVERIFY(!form.CheckBoxPanel->isChecked());
    QCOMPARE(TopRow(form.Image1), loaded);
    QTest::keyClick(form.CheckBoxPanel, Qt::Key_Space);
    QCOMPARE(TopRow(form.Image1), QList<QColor>({white, white, black, white}));

    // R8G8B8 holds every colour.
    form.ComboBox1->setFocus();
    QTest::keyClick(form.ComboBox1, Qt::Key_Up);
    QCOMPARE(TopRow(form.Image1), loaded);
  }

  // Alpha keying makes the stored zero the transparent colour; four-bit ARGB keeps four
  // bits of alpha. Transparency shows as the checkerboard behind the picture.
  void PanelPreviewShowsTransparency() {
    folder_->Write("a.png", tools::EncodePng({2, 1, 6, 8, {18, 52, 86, 255, 200, 0, 0, 0}, {}}));
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    ShowActive(form);
    Input(form, dialogs, "a.png");
    QCOMPARE(TopRow(form.Image1), QList<QColor>({QColor(18, 52, 86), QColor(0, 0, 0)}));
    ClickBox(form.CheckBoxPanel);
    const QColor checker = QColor::fromRgb(picture::CheckerAt(1, 0));
    QCOMPARE(TopRow(form.Image1), QList<QColor>({QColor(16, 52, 82), checker}));
    ClickBox(form.CheckBoxARGB);
    QCOMPARE(TopRow(form.Image1), QList<QColor>({QColor(17, 51, 85), checker}));
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

  void ArrowKeysPreviewThePictureTheyReach() {
    WriteBmp("a.bmp", 3, 2);
    WriteBmp("b.bmp", 5, 4);
    WriteBmp("c.bmp", 7, 6);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    ShowActive(form);
    Input(form, dialogs, "a.bmp");
    QCOMPARE(form.PreviewPicture.Width(), 3);
    form.ListBox1->setFocus();
    QTest::keyClick(form.ListBox1, Qt::Key_Down);
    QCOMPARE(form.CurrentPicture, folder_->File("b.bmp"));
    QCOMPARE(form.PreviewPicture.Width(), 5);
    QTest::keyClick(form.ListBox1, Qt::Key_End);
    QCOMPARE(form.PreviewPicture.Width(), 7);
    QTest::keyClick(form.ListBox1, Qt::Key_Up);
    QCOMPARE(form.PreviewPicture.Width(), 5);

    // A click on the entry already selected loads it again, with the rotation now set.
    Click(form.RadioGroup2->findChildren<QRadioButton*>().at(1));
    ClickEntry(form.ListBox1, 1);
    QCOMPARE(form.PreviewPicture.Width(), 4);

    // Single Convert names the entry the keys reached, with that picture's bytes.
    dialogs.save_answers.push_back({true, Q(folder_->File("one"))});
    Click(form.BtnSConvert);
    QVERIFY(WaitForTheRun(form));
    QCOMPARE(LogLines(form),
             QStringList({Q("{4, 5, 0x00000000, 0x00000028},//" + folder_->File("b.bmp"))}));
    QCOMPARE(folder_->Read("one.bin").size(), std::size_t(40));
    QVERIFY(dialogs.messages.endsWith("Convert ok"));
  }

  // Everything a user can reach during a run, tried while a picture is encoded and
  // between pictures: nothing may crash the run or store one picture under another's
  // name (a list refilled from a smaller folder used to do both).
  void ControlsUsedDuringARunLeaveItsPicturesAndNames() {
    WriteBmp("a.bmp", 3, 40);
    WriteBmp("b.bmp", 5, 40);
    WriteBmp("c.bmp", 7, 40);
    WriteBmp("d.bmp", 9, 40);
    WriteBmp("small/z.bmp", 2, 2);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    ShowActive(form);
    Input(form, dialogs, "a.bmp");
    QCOMPARE(form.ListBox1->count(), 5);  // the subfolder's picture stands at its place
    dialogs.open_answers.push_back(Q(folder_->File("small/z.bmp")));
    dialogs.save_answers.push_back({true, Q(folder_->File("second"))});

    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"Input Picture", [&] { Click(form.BtnInputPicture); }},
        {"arrow keys in the list",
         [&] {
           form.ListBox1->setFocus();
           QTest::keyClick(form.ListBox1, Qt::Key_End);
           QTest::keyClick(form.ListBox1, Qt::Key_Up);
         }},
        {"a click in the list", [&] { ClickEntry(form.ListBox1, 4); }},
        {"Picture UP", [&] { Click(form.BtnBmpUP); }},
        {"Picture Down", [&] { Click(form.BtnBmpDown); }},
        {"Single Convert", [&] { Click(form.BtnSConvert); }},
        {"All Convert", [&] { Click(form.BtnMConvert); }},
        {"ReverseX", [&] { Click(form.CheckBoxX); }},
        {"the pixel format",
         [&] {
           form.ComboBox1->setFocus();
           QTest::keyClick(form.ComboBox1, Qt::Key_Down);
         }},
        {"the alpha limit",
         [&] {
           form.EditAPNG->setFocus();
           QTest::keyClicks(form.EditAPNG, "7");
         }},
        {"a tool window from the menu", [&] { ClickMenu(form, form.BinFile1); }},
    };
    // While a picture is encoded the window pumps its events after every row: every
    // control is tried there during the first picture; then again each time a listing
    // line is logged, when the tick goes on to the next entry.
    std::deque<std::pair<const char*, std::function<void()>>> pending(actions.begin(),
                                                                      actions.end());
    int tried = 0;
    connect(form.ProgressBar1, &QProgressBar::valueChanged, &form, [&](int percent) {
      if (percent > 0 && percent < 98 && !pending.empty()) {
        auto action = pending.front().second;
        pending.pop_front();
        ++tried;
        action();
      }
    });
    connect(form.Memo1, &QPlainTextEdit::textChanged, &form, [&] {
      if (!form.Memo1->toPlainText().isEmpty() && pending.empty()) {
        for (const auto& [name, action] : actions) {
          ++tried;
          action();
        }
      }
    });
    dialogs.save_answers.push_front({true, Q(folder_->File("run"))});
    Click(form.BtnMConvert);
    QVERIFY(!form.BtnInputPicture->isEnabled() && !form.ListBox1->isEnabled());
    QVERIFY(WaitForTheRun(form));
    QVERIFY(tried > static_cast<int>(actions.size()));

    // Each picture under its own name and size, back to back in the resource file.
    const QStringList lines = LogLines(form);
    QCOMPARE(lines.size(), 5);
    const struct {
      const char* entry;
      int width;
      int height;
    } pictures[] = {{"a.bmp", 3, 40},
                    {"b.bmp", 5, 40},
                    {"c.bmp", 7, 40},
                    {"d.bmp", 9, 40},
                    {"small/z.bmp", 2, 2}};
    std::uint32_t offset = 0;
    for (int i = 0; i < 5; ++i) {
      const QString prefix = QString("{%1, %2, 0x%3, 0x")
                                 .arg(pictures[i].width)
                                 .arg(pictures[i].height)
                                 .arg(QString::number(offset, 16).toUpper().rightJustified(8, '0'));
      QVERIFY2(lines[i].startsWith(prefix), qPrintable(lines[i]));
      QVERIFY2(lines[i].endsWith("},//" + Q(folder_->File(pictures[i].entry))),
               qPrintable(lines[i]));
      offset += lines[i].section(", 0x", 2, 2).section('}', 0, 0).toUInt(nullptr, 16);
    }
    QCOMPARE(folder_->Read("run.bin").size(), std::size_t(offset));
    QVERIFY(folder_->Exists("run-Addr.txt"));
    QVERIFY(!folder_->Exists("second.bin"));
    QCOMPARE(dialogs.open_answers.size(), std::size_t(1));  // Input Picture never opened
    QVERIFY(dialogs.messages.endsWith("Convert ok"));
    QVERIFY(form.BtnInputPicture->isEnabled() && form.ListBox1->isEnabled());
  }

  void ExitEndsTheProgramWithItsToolWindows() {
    for (const bool by_menu : {false, true}) {
      TForm1 form;
      QWidget tool_a(nullptr, Qt::Window);
      QWidget tool_b(nullptr, Qt::Window);
      std::vector<QWidget*> tools{&tool_a, &tool_b};
      for (int i = 0; i < 5; ++i)
        tools.push_back(new QWidget(&form, Qt::Window));
      form.SetToolWindows(tools);
      ShowActive(form);
      ClickMenu(form, form.Bootloader1);
      ClickMenu(form, form.ICON1);
      QVERIFY(tool_a.isVisible() && tool_b.isVisible());
      QVERIFY(!platform::ProgramEnding());
      if (by_menu)
        ClickMenu(form, form.File1);
      else
        Click(form.BtnExit);
      QVERIFY(!form.isVisible());
      QVERIFY(!tool_a.isVisible() && !tool_b.isVisible());
      QVERIFY(platform::ProgramEnding());
    }
  }

  void ExitDuringARunStopsIt() {
    WriteBmp("a.bmp", 4, 60);
    WriteBmp("b.bmp", 4, 60);
    platform::ScriptedDialogs dialogs;
    TForm1 form;
    ShowActive(form);
    Input(form, dialogs, "a.bmp");
    bool clicked = false;
    connect(form.ProgressBar1, &QProgressBar::valueChanged, &form, [&](int percent) {
      if (percent > 10 && !clicked) {
        clicked = true;
        Click(form.BtnExit);
      }
    });
    dialogs.save_answers.push_back({true, Q(folder_->File("out"))});
    Click(form.BtnMConvert);
    QVERIFY(QTest::qWaitFor([&] { return clicked; }, 5000));
    QTest::qWait(200);
    QVERIFY(!form.Timer1->isActive());
    QVERIFY(!form.isVisible());
    QVERIFY(!folder_->Exists("out-Addr.txt"));
    QVERIFY(!dialogs.messages.contains("Convert ok"));
  }
};

QTEST_MAIN(TForm1Tests)
#include "tform1_tests.moc"
