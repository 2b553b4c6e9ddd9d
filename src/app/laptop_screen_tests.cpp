// All the windows on a laptop-sized screen (1366 x 768), opened from the menu as a user
// opens them: each fits the screen with every control inside it, and Exit ends them all,
// long work included.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/program_windows.h"
#include "platform/program_end.h"
#include "platform/scripted_dialogs.h"

namespace {

constexpr QSize kLaptopScreen(1366, 768);

// The windows as the program creates them, the main window shown.
struct Program : ProgramWindows {
  Program() { form1.show(); }
};

void ClickMenu(TForm1& form, QAction* action) {
  QApplication::setActiveWindow(&form);
  QTest::mouseClick(form.menuBar(), Qt::LeftButton, {},
                    form.menuBar()->actionGeometry(action).center());
}

// A control of ours (it has a name) that the window means to show, outside content that
// scrolls (a preview inside its scrolling area).
bool IsShownControl(const QWidget* widget, const QWidget* window) {
  if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") ||
      !widget->isVisibleTo(window))
    return false;
  for (const QWidget* up = widget->parentWidget(); up != nullptr && up != window;
       up = up->parentWidget()) {
    if (qobject_cast<const QAbstractScrollArea*>(up->parentWidget()) != nullptr)
      return false;
  }
  return true;
}

}  // namespace

class LaptopScreenTests : public QObject {
  Q_OBJECT

 private slots:
  void TheScreenIsALaptops() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), kLaptopScreen);
  }

  void EveryWindowFitsWithItsControlsVisible() {
    Program program;
    TForm1& main = program.form1;
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const std::pair<QAction*, QWidget*> windows[] = {
        {nullptr, &main},
        {main.Bootloader1, &program.form2},
        {main.ICON1, &program.form3},
        {main.Font1, &program.form4},
        {main.BinFile1, &program.form5},
        {main.GIFTool1, &program.form6},
        {main.WAVTool1, &program.form7},
        {main.Dravick1, &program.form8},
        {main.Viewer1, &program.form9},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& [item, window] : windows) {
      if (item != nullptr)
        ClickMenu(main, item);
      QVERIFY(QTest::qWaitForWindowExposed(window));
      const QString name = window->windowTitle();
      QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(name));
      QVERIFY2(window->width() >= window->minimumSizeHint().width() &&
                   window->height() >= window->minimumSizeHint().height(),
               qPrintable(name));
      int controls = 0;
      for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!IsShownControl(widget, window))
          continue;
        ++controls;
        const QRect where(widget->mapTo(window, QPoint(0, 0)), widget->size());
        const QString what = name + ": " + widget->objectName();
        QVERIFY2(window->rect().contains(where), qPrintable(what));
        QVERIFY2(!widget->visibleRegion().isEmpty(), qPrintable(what));
      }
      QVERIFY2(controls >= 8, qPrintable(name));
    }
    // The main, GIF and builder windows open maximised, the others centred.
    QVERIFY(main.windowState() & Qt::WindowMaximized);
    QVERIFY(program.form6.windowState() & Qt::WindowMaximized);
    QVERIFY(program.form8.windowState() & Qt::WindowMaximized);
    for (const QWidget* centred :
         std::initializer_list<const QWidget*>{&program.form2, &program.form3, &program.form4,
                                               &program.form5, &program.form7, &program.form9}) {
      const QPoint off = centred->frameGeometry().center() - screen.center();
      QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2, qPrintable(centred->windowTitle()));
    }
  }

  void ExitWithToolWindowsOpenEndsThemAll() {
    Program program;
    TForm1& main = program.form1;
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    for (QAction* item : {main.Bootloader1, main.ICON1, main.Font1, main.BinFile1, main.GIFTool1,
                          main.WAVTool1, main.Dravick1, main.Viewer1})
      ClickMenu(main, item);
    QVERIFY(program.form8.isVisible() && program.form4.isVisible() && program.form9.isVisible());
    ClickMenu(main, main.File1);
    for (const QWidget* window : QApplication::topLevelWidgets())
      QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
    QVERIFY(platform::ProgramEnding());
  }

  // A font library run lets window events run after every glyph; Exit clicked there
  // stops it at the next glyph, with no file asked for and no message.
  void ExitStopsAFontLibraryRun() {
    platform::ScriptedDialogs dialogs;
    Program program;
    TForm1& main = program.form1;
    ClickMenu(main, main.Font1);
    TForm4& font = program.form4;
    font.ComboBoxCode->setCurrentIndex(3);  // GBK: 24066 glyphs
    int glyphs_after_exit = -1;
    connect(font.ProgressBar1, &QProgressBar::valueChanged, &font, [&](int) {
      if (glyphs_after_exit >= 0) {
        ++glyphs_after_exit;
      } else {
        glyphs_after_exit = 0;
        QTest::mouseClick(main.BtnExit, Qt::LeftButton);
      }
    });
    QTest::mouseClick(font.ButtonMakeBin, Qt::LeftButton);
    QVERIFY(glyphs_after_exit >= 0 && glyphs_after_exit <= 2);
    QVERIFY(dialogs.save_proposals.isEmpty());
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(!font.isVisible() && !main.isVisible());
  }
};

int main(int argc, char** argv) {
  // The offscreen platform with one screen of a laptop's size.
  QTemporaryDir folder;
  const QString config = folder.filePath("laptop.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly))
    return 1;
  file.write(QString(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": %1,
                         "height": %2, "logicalDpi": 96, "dpr": 1}]})")
                 .arg(kLaptopScreen.width())
                 .arg(kLaptopScreen.height())
                 .toUtf8());
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  QApplication application(argc, argv);
  LaptopScreenTests tests;
  return QTest::qExec(&tests, argc, argv);
}

#include "laptop_screen_tests.moc"
