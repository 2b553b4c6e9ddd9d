#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

namespace platform {

namespace {

class DesktopDialogs final : public Dialogs {
 public:
  std::optional<QString> OpenFile(const QString& filter, const QString& folder) override {
    const QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      folder, QtFilter(filter));
    if (name.isEmpty())
      return std::nullopt;
    return name;
  }

  SaveChoice SaveFile(const QString& filter, const QString& proposed_name,
                      const QString& folder) override {
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(proposed_name);
    if (dialog.exec() != QDialog::Accepted)
      return {};
    const QStringList files = dialog.selectedFiles();
    return {true, files.isEmpty() ? QString() : files.first()};
  }

  std::optional<QString> ChooseFolder(const QString& folder) override {
    const QString name =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(), folder);
    if (name.isEmpty())
      return std::nullopt;
    return name;
  }

  std::optional<QFont> ChooseFont(const QFont& initial) override {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, QApplication::activeWindow());
    if (!ok)
      return std::nullopt;
    return font;
  }

  void ShowMessage(const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
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
