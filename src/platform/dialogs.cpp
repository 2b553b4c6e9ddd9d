#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStringList>

#include "platform/pixel_font_dialog.h"
#include "platform/program_end.h"

namespace platform {

namespace {

// Room for the title bar's caption and its buttons: a box only as wide as "OK" would have
// its caption cut short.
constexpr int kTitleBarButtonsWidth = 160;

void KeepCaptionWhole(QMessageBox& box) {
  const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr)
    return;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

// Once the program is ending no dialog is shown: each is taken as cancelled.
class DesktopDialogs final : public Dialogs {
 public:
  std::optional<QString> OpenFile(const QString& filter, const QString& folder) override {
    if (ProgramEnding())
      return std::nullopt;
    const QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      folder, QtFilter(filter));
    if (name.isEmpty())
      return std::nullopt;
    return name;
  }

  SaveChoice SaveFile(const QString& filter, const QString& proposed_name,
                      const QString& folder) override {
    if (ProgramEnding())
      return {};
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(proposed_name);
    if (dialog.exec() != QDialog::Accepted)
      return {};
    const QStringList files = dialog.selectedFiles();
    return {true, files.isEmpty() ? QString() : files.first()};
  }

  std::optional<QString> ChooseFolder(const QString& folder) override {
    if (ProgramEnding())
      return std::nullopt;
    const QString name =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(), folder);
    if (name.isEmpty())
      return std::nullopt;
    return name;
  }

  std::optional<QFont> ChooseFont(const QFont& initial) override {
    if (ProgramEnding())
      return std::nullopt;
    return PixelFontDialog::Choose(initial, QApplication::activeWindow());
  }

  void ShowMessage(const QString& text) override {
    if (ProgramEnding())
      return;
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    KeepCaptionWhole(box);
    box.exec();
  }
};

Dialogs* installed = nullptr;

}  // namespace

Dialogs& Ui() {
  static DesktopDialogs desktop;
  return installed != nullptr ? *installed : desktop;
}

void SetUi(Dialogs* dialogs) {
  installed = dialogs;
}

QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  if (parts.size() < 2)
    return filter;  // a bare pattern such as "*.bin"
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    entries << parts[i] + " (" + patterns + ")";
  }
  return entries.join(";;");
}

}  // namespace platform
