#include "viewer/tform9.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "builder/builder_types.h"
#include "builder/header_bytes.h"
#include "picture/preview_image.h"
#include "platform/scripted_dialogs.h"
#include "temp_folder.h"
#include "viewer/extract.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

void ClickBox(QWidget* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// The view as the screen shows it.
QImage Shown(viewer::PixelView* view) {
  return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour a picture pixel shows over the checkerboard square under screen point (x, y).
QColor Over(int x, int y, QColor colour) {
  if (colour.alpha() == 255)
    return colour;
  const QColor under = QColor::fromRgb(picture::CheckerAt(x, y));
  if (colour.alpha() == 0)
    return under;
  return colour;  // blends: not compared exactly
}

// A picture resource of three entries as the main window lists them: 2 x 2 R8G8B8,
// 3 x 1 in two bytes a pixel, and one past the end of the file.
struct PictureResource {
  Bytes bytes;
  std::string list;
};

PictureResource ThreePictures() {
  PictureResource resource;
  // R8G8B8 stores B, G, R: red, green / blue, white.
  resource.bytes = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
  // Read as R5G6B5 or, with "aRGB", four-bit ARGB: opaque red, transparent, opaque blue.
  for (std::uint8_t b : {0x00, 0xFF, 0x00, 0x00, 0x0F, 0xF0})
    resource.bytes.push_back(b);
  resource.list =
      "{2, 2, 0x00000000, 0x0000000C},//a.png\r\n"
      "{3, 1, 0x0000000C, 0x00000006},//b.png\r\n"
      "{4, 4, 0x00001000, 0x00000020},//c.png\r\n";
  return resource;
}

// A string font of two 8 x 8 characters, "A" and "B".
Bytes StringFont() {
  Bytes font{'M', 'r', 'l', 'x', 'F', 'o', 'n', 't', 0, 2, 8, 8, 0x00, 0x41, 0x00, 0x42};
  for (int glyph = 0; glyph < 2; ++glyph)
    for (int row = 0; row < 8; ++row)
      font.push_back(glyph == 0 ? 0xFF : 0x81);
  return font;
}

// A NOR flash image with one 1 x 1 R5G6B5 picture: its header, then the picture.
Bytes FlashImage() {
  Bytes image(builder::kNorHeaderSize, 0xFF);
  builder::PutBigEndian(image, builder::kPictureCountAt, 1, 2);
  const std::size_t at = builder::PictureEntryAt(0);
  builder::PutBigEndian(image, at, 1, 2);
  builder::PutBigEndian(image, at + 2, 1, 2);
  builder::PutBigEndian(image, at + 4, std::uint32_t(image.size()), 4);
  builder::PutBigEndian(image, at + 8, 2, 4);
  image.push_back(0x1F);
  image.push_back(0x00);
  return image;
}

}  // namespace

class TForm9Tests : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<tools::TempFolder> folder_;
  std::unique_ptr<platform::ScriptedDialogs> dialogs_;

  void Open(TForm9& form, const std::string& name) {
    dialogs_->open_answers.push_back(Q(folder_->File(name)));
    QTest::mouseClick(form.ButtonOpen, Qt::LeftButton);
  }
  void WritePictures() {
    const PictureResource resource = ThreePictures();
    folder_->Write("Picture-p.bin", resource.bytes);
    folder_->Write("Picture-p-Addr.txt", resource.list);
  }

 private slots:
  void init() {
    folder_ = std::make_unique<tools::TempFolder>();
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
  }
  void cleanup() {
    dialogs_.reset();
    folder_.reset();
  }

  void ListsTheEntriesAndFollowsKeysAndMouse() {
    WritePictures();
    TForm9 form;
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QString("Viewer"));
    QVERIFY(!form.ButtonSaveAs->isEnabled());
    Open(form, "Picture-p.bin");
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form.ListEntries->count(), 3);
    QCOMPARE(form.ListEntries->item(0)->text(),
             QString("picture 0  0x00000000  12 B  2x2  R8G8B8  a.png"));
    QCOMPARE(form.ListEntries->currentRow(), 0);
    QCOMPARE(form.View->Image().size(), QSize(2, 2));
    QCOMPARE(form.View->Image().pixelColor(0, 0), QColor(255, 0, 0));
    QCOMPARE(form.View->Image().pixelColor(1, 1), QColor(255, 255, 255));
    QVERIFY(form.ButtonSaveAs->isEnabled());

    // The keys move the selection and the picture follows.
    form.ListEntries->setFocus();
    QTest::keyClick(form.ListEntries, Qt::Key_Down);
    QCOMPARE(form.ListEntries->currentRow(), 1);
    QCOMPARE(form.View->Image().size(), QSize(3, 1));
    QCOMPARE(form.View->Image().pixelColor(0, 0), QColor(255, 227, 0));  // R5G6B5 0xFF00

    // A bad entry is marked, its reason shown, nothing drawn and nothing to save.
    ClickRow(form.ListEntries, 2);
    QCOMPARE(form.ListEntries->currentRow(), 2);
    const viewer::Entry& bad = form.Contents->entries[2];
    QVERIFY(!bad.Good());
    QVERIFY(form.ListEntries->item(2)->text().endsWith(Q("! " + bad.problem)));
    QVERIFY(form.ListEntries->item(2)->foreground() != form.ListEntries->item(0)->foreground());
    QVERIFY(form.LabelStatus->text().contains(Q(bad.problem)));
    QVERIFY(form.View->Image().isNull());
    QVERIFY(!form.ButtonSaveAs->isEnabled());
    QTest::keyClick(form.ListEntries, Qt::Key_Home);
    QCOMPARE(form.View->Image().size(), QSize(2, 2));
  }

  // Every picture pixel is a zoom x zoom square of its own colour; transparent ARGB
  // pixels show the checkerboard.
  void ZoomIsPixelExactWithTheCheckerboardBehind() {
    WritePictures();
    TForm9 form;
    ShowActive(form);
    Open(form, "Picture-p.bin");
    form.SpinZoom->setFocus();
    for (int i = 0; i < 3; ++i)
      QTest::keyClick(form.SpinZoom, Qt::Key_Up);
    QCOMPARE(form.View->Zoom(), 4);
    QCOMPARE(form.View->size(), QSize(8, 8));
    const QImage at4 = Shown(form.View);
    const QColor colours[2][2] = {{QColor(255, 0, 0), QColor(0, 255, 0)},
                                  {QColor(0, 0, 255), QColor(255, 255, 255)}};
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        QCOMPARE(at4.pixelColor(x, y), colours[y / 4][x / 4]);

    // Ctrl and the wheel zoom in and out.
    const QPointF inside(3, 3);
    QWheelEvent in(inside, form.View->mapToGlobal(inside), {}, {0, 120}, Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.View, &in);
    QCOMPARE(form.SpinZoom->value(), 5);
    QCOMPARE(form.View->size(), QSize(10, 10));

    // Read as four-bit ARGB, the second picture has a transparent pixel.
    ClickBox(form.CheckBoxARGB);
    QCOMPARE(form.ListEntries->currentRow(), 0);
    form.ListEntries->setFocus();
    QTest::keyClick(form.ListEntries, Qt::Key_Down);
    QCOMPARE(form.Contents->entries[1].form, std::string("ARGB4"));
    const QImage argb = Shown(form.View);
    QCOMPARE(argb.size(), QSize(15, 5));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 15; ++x) {
        const QColor expected = x < 5    ? QColor(255, 0, 0)
                                : x < 10 ? Over(x, y, QColor(0, 0, 0, 0))
                                         : QColor(0, 0, 255);
        QCOMPARE(argb.pixelColor(x, y), expected);
      }
    }
  }

  void GlyphSheetsTellTheGlyphUnderTheMouse() {
    folder_->Write("Font_s.bin", StringFont());
    TForm9 form;
    ShowActive(form);
    Open(form, "Font_s.bin");
    QCOMPARE(form.ListEntries->count(), 1);
    QCOMPARE(form.View->Image().size(), QSize(16, 8));
    form.SpinZoom->setValue(2);
    QTest::mouseMove(form.View, QPoint(2 * 8 + 3, 5));
    QTRY_VERIFY(form.LabelStatus->text().startsWith("glyph 1, code 0x0042"));
    QTest::mouseMove(form.View, QPoint(4, 4));
    QTRY_VERIFY(form.LabelStatus->text().startsWith("glyph 0, code 0x0041"));
  }

  void PlayStepsThroughTheFramesOfAGif() {
    std::string list = "//0\r\n";
    Bytes frames;
    for (int i = 0; i < 3; ++i) {
      list += "{1, 1, 0x0000000" + std::to_string(2 * i) + ", 0x00000002},//run.gif-Frames" +
              std::to_string(i) + "\n\r\n";
      frames.insert(frames.end(), {std::uint8_t(i), 0});
    }
    folder_->Write("Gif-run.bin", frames);
    folder_->Write("Gif-run-Addr.txt", list);
    TForm9 form;
    ShowActive(form);
    Open(form, "Gif-run.bin");
    QCOMPARE(form.ListEntries->count(), 3);
    QVERIFY(form.ButtonPlay->isEnabled());
    QSignalSpy rows(form.ListEntries, &QListWidget::currentRowChanged);
    QTest::mouseClick(form.ButtonPlay, Qt::LeftButton);
    QCOMPARE(form.ButtonPlay->text(), QString("S&top"));
    QTRY_VERIFY_WITH_TIMEOUT(rows.size() >= 3, 5000);
    QTest::mouseClick(form.ButtonPlay, Qt::LeftButton);
    QVERIFY(!form.TimerPlay->isActive());
    QCOMPARE(form.ButtonPlay->text(), QString("&Play"));
    // In order, and after the last frame the first again.
    QCOMPARE(rows.at(0).at(0).toInt(), 1);
    QCOMPARE(rows.at(1).at(0).toInt(), 2);
    QCOMPARE(rows.at(2).at(0).toInt(), 0);
  }

  void ABadFileShowsAMessageAndKeepsWhatWasOpen() {
    WritePictures();
    folder_->Write("junk.bin", std::string("not a flash image"));
    folder_->Write("Picture-alone.bin", Bytes(8, 0));
    TForm9 form;
    ShowActive(form);
    Open(form, "Picture-p.bin");
    for (const char* bad : {"junk.bin", "Picture-alone.bin", "gone.bin"}) {
      Open(form, bad);
      QCOMPARE(dialogs_->messages.size(), 1);
      QVERIFY2(!dialogs_->messages.first().isEmpty(), bad);
      dialogs_->messages.clear();
      QCOMPARE(form.ListEntries->count(), 3);
      QCOMPARE(form.Contents->path, folder_->File("Picture-p.bin"));
    }
    // Still usable: the keys select, another file opens.
    form.ListEntries->setFocus();
    QTest::keyClick(form.ListEntries, Qt::Key_Down);
    QCOMPARE(form.View->Image().size(), QSize(3, 1));
    folder_->Write("Dravick_Flash.bin", FlashImage());
    Open(form, "Dravick_Flash.bin");
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(form.ListEntries->count(), 1);
    QCOMPARE(form.View->Image().pixelColor(0, 0), QColor(0, 0, 255));
  }

  void TheHeaderShowsAsText() {
    folder_->Write("Dravick_Flash.bin", FlashImage());
    TForm9 form;
    Open(form, "Dravick_Flash.bin");
    QVERIFY(form.Contents->flash_image);
    QVERIFY(!form.Contents->header_lines.empty());
    const QString memo = form.MemoInfo->toPlainText();
    for (const std::string& line : form.Contents->header_lines)
      QVERIFY2(memo.contains(Q(line)), line.c_str());
  }

  void SaveAsWritesTheEntryAsExtractDoes() {
    WritePictures();
    TForm9 form;
    ShowActive(form);
    Open(form, "Picture-p.bin");
    // Cancelled: nothing written.
    QTest::mouseClick(form.ButtonSaveAs, Qt::LeftButton);
    QCOMPARE(dialogs_->save_proposals, QStringList({"picture-000.png"}));
    QCOMPARE(dialogs_->save_filters, QStringList({"*.png"}));

    dialogs_->save_answers.push_back({true, Q(folder_->File("first"))});
    QTest::mouseClick(form.ButtonSaveAs, Qt::LeftButton);
    auto expected = viewer::EntryFileBytes(*form.Contents, form.Contents->entries[0]);
    QVERIFY(expected);
    QVERIFY(folder_->Exists("first.png"));
    QCOMPARE(folder_->Read("first.png"), *expected);
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(form.LabelStatus->text().startsWith("Saved "));
  }

  // Each kind of resource file: what is drawn, and Save As proposing the name and form
  // extract gives it.
  void EveryKindShowsAndSaves() {
    folder_->Write("Font_s.bin", StringFont());
    folder_->Write("Cursor-c.bin", Bytes(256, 0x1B));
    folder_->Write("Wav-b.bin", Bytes(100, 0x80));
    const struct {
      const char* file;
      QSize drawn;
      const char* proposed;
      const char* filter;
    } kinds[] = {
        {"Font_s.bin", {16, 8}, "font.png", "*.png"},
        {"Cursor-c.bin", {32, 32}, "cursor.png", "*.png"},
        {"Wav-b.bin", {0, 0}, "sound.wav", "*.wav"},
    };
    TForm9 form;
    ShowActive(form);
    for (const auto& kind : kinds) {
      dialogs_->save_proposals.clear();
      dialogs_->save_filters.clear();
      Open(form, kind.file);
      QCOMPARE(form.ListEntries->count(), 1);
      QVERIFY2(form.Contents->entries[0].Good(), form.Contents->entries[0].problem.c_str());
      QCOMPARE(form.View->Image().size(), kind.drawn);
      const std::string saved = std::string("saved-") + kind.proposed;
      dialogs_->save_answers.push_back({true, Q(folder_->File(saved))});
      QTest::mouseClick(form.ButtonSaveAs, Qt::LeftButton);
      QCOMPARE(dialogs_->save_proposals, QStringList({kind.proposed}));
      QCOMPARE(dialogs_->save_filters, QStringList({kind.filter}));
      auto expected = viewer::EntryFileBytes(*form.Contents, form.Contents->entries[0]);
      QVERIFY(expected);
      QCOMPARE(folder_->Read(saved), *expected);
    }
    QVERIFY(dialogs_->messages.isEmpty());
  }

  // A resource file reads as NOR until "NAND" says its rows are padded.
  void NandRowsAreReadWhenAsked() {
    Bytes padded;
    for (int i = 0; i < 5; ++i)
      padded.insert(padded.end(), {0x1F, 0x00});  // blue
    padded.insert(padded.end(), 6, 0xFF);
    folder_->Write("Picture-n.bin", padded);
    folder_->Write("Picture-n-Addr.txt", std::string("{5, 1, 0x00000000, 0x00000010},//n.png\r\n"));
    TForm9 form;
    ShowActive(form);
    Open(form, "Picture-n.bin");
    QVERIFY(!form.Contents->entries[0].Good());
    QVERIFY(form.View->Image().isNull());
    ClickBox(form.CheckBoxNand);
    QVERIFY2(form.Contents->entries[0].Good(), form.Contents->entries[0].problem.c_str());
    QCOMPARE(form.View->Image().size(), QSize(5, 1));
    QCOMPARE(form.View->Image().pixelColor(4, 0), QColor(0, 0, 255));
    QVERIFY(dialogs_->messages.isEmpty());
  }
};

QTEST_MAIN(TForm9Tests)
#include "tform9_tests.moc"
