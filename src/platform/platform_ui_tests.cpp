// The platform's window helpers with real keys and clicks: list choices, the pixel font
// chooser, message boxes and the end of the program.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "platform/dialogs.h"
#include "platform/list_selection.h"
#include "platform/pixel_font_dialog.h"
#include "platform/program_end.h"

namespace {

void ClickEntry(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

// Runs `inspect` on the modal dialog that `open` shows, then lets `close` end it.
template <class Dialog>
void WhileShown(const std::function<void()>& open, const std::function<void(Dialog&)>& inspect) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    seen = true;
    inspect(*dialog);
  });
  open();
  QVERIFY(seen);
}

}  // namespace

class PlatformUiTests : public QObject {
  Q_OBJECT

 private slots:
  void init() { platform::SetProgramEnding(false); }
  void cleanupTestCase() { platform::SetProgramEnding(false); }

  void ListChoicesRunOncePerChangeByMouseOrKeyboard() {
    QListWidget list;
    list.addItems({"a", "b", "c"});
    QStringList chosen;
    platform::OnEntryChosen(&list,
                            [&] { chosen << list.item(platform::SelectedRow(&list))->text(); });
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    ClickEntry(&list, 1);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Home);
    ClickEntry(&list, 0);  // the entry already selected: chosen again
    QCOMPARE(chosen, (QStringList{"b", "c", "a", "a"}));

    // Changes the window makes itself run nothing.
    platform::SelectRow(&list, 2);
    QCOMPARE(platform::SelectedRow(&list), 2);
    platform::SelectRow(&list, -1);
    QCOMPARE(platform::SelectedRow(&list), -1);
    platform::SelectRow(&list, 1);
    platform::DeleteRow(&list, 1);
    QCOMPARE(platform::SelectedRow(&list), 1);  // the entry now at that index
    platform::DeleteRow(&list, 1);
    QCOMPARE(platform::SelectedRow(&list), -1);  // the last one went: nothing selected
    list.clear();
    QCOMPARE(chosen.size(), 4);
  }

  void TheFontChooserWorksInPixels() {
    QFont initial("DejaVu Sans");
    initial.setPixelSize(14);
    std::optional<QFont> chosen;
    WhileShown<platform::PixelFontDialog>(
        [&] { chosen = platform::PixelFontDialog::Choose(initial, nullptr); },
        [](platform::PixelFontDialog& dialog) {
          auto* height = dialog.findChild<QSpinBox*>("FontPixelHeight");
          QCOMPARE(height->value(), 14);
          QCOMPARE(height->suffix(), QString(" px"));
          height->setFocus();
          QTest::keyClick(height, Qt::Key_A, Qt::ControlModifier);
          QTest::keyClicks(height, "24");
          auto* bold = dialog.findChild<QCheckBox*>();
          QTest::keyClick(bold, Qt::Key_Space);
          QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                            Qt::LeftButton);
        });
    QVERIFY(chosen.has_value());
    QCOMPARE(chosen->pixelSize(), 24);
    QVERIFY(chosen->bold());
    QCOMPARE(chosen->family(), QString("DejaVu Sans"));

    WhileShown<platform::PixelFontDialog>(
        [&] { chosen = platform::PixelFontDialog::Choose(initial, nullptr); },
        [](platform::PixelFontDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QVERIFY(!chosen.has_value());
  }

  // A box as short as "OK" is still wide enough for its caption and title-bar buttons.
  void MessageBoxesKeepTheirCaptionWhole() {
    QApplication::setApplicationName("Dravick Tool");
    WhileShown<QMessageBox>([] { platform::Ui().ShowMessage("OK"); },
                            [](QMessageBox& box) {
                              QCOMPARE(box.windowTitle(), QString("Dravick Tool"));
                              const int caption =
                                  box.fontMetrics().horizontalAdvance(box.windowTitle());
                              QVERIFY(box.width() >= caption + 150);
                              QTest::keyClick(&box, Qt::Key_Return);
                            });
  }

  void NoDialogOnceTheProgramEnds() {
    platform::SetProgramEnding(true);
    platform::Ui().ShowMessage("Convert ok");  // returns at once: nothing to close
    QVERIFY(!platform::Ui().OpenFile("*.bin", QString()).has_value());
    QVERIFY(!platform::Ui().SaveFile("*.bin", "Picture-", QString()).confirmed);
    QVERIFY(!platform::Ui().ChooseFont(QFont()).has_value());
  }
};

QTEST_MAIN(PlatformUiTests)
#include "platform_ui_tests.moc"
