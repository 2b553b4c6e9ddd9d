#pragma once
// File dialogs, the font dialog and message boxes, behind one interface so window tests
// can script them. Windows call platform::Ui() and never QFileDialog or QMessageBox.

#include <QFont>
#include <QString>
#include <optional>

namespace platform {

struct SaveChoice {
  bool confirmed = false;  // the user pressed Save
  QString name;            // what the name field held (may be empty)
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The chosen file, or nothing when cancelled. `filter` uses "Desc|pattern|Desc|pattern"
  // pairs as the windows define them.
  virtual std::optional<QString> OpenFile(const QString& filter, const QString& folder) = 0;
  virtual SaveChoice SaveFile(const QString& filter, const QString& proposed_name,
                              const QString& folder) = 0;
  virtual std::optional<QString> ChooseFolder(const QString& folder) = 0;
  virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
  // A modal message box; returns when the user has closed it.
  virtual void ShowMessage(const QString& text) = 0;
};

// The dialogs in use: the desktop's own unless a test installed others.
Dialogs& Ui();
// Installs dialogs (tests); nullptr restores the desktop's.
void SetUi(Dialogs* dialogs);

// Converts the "Desc|pattern|..." filter form into Qt's "Desc (pattern);;..." form.
QString QtFilter(const QString& filter);

}  // namespace platform
