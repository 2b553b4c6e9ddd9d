#pragma once
// Dialogs for window tests: answers are queued before the action, and every message
// box text is recorded instead of shown.

#include <QStringList>
#include <deque>

#include "platform/dialogs.h"

namespace platform {

class ScriptedDialogs final : public Dialogs {
 public:
  ScriptedDialogs() { SetUi(this); }
  ~ScriptedDialogs() override { SetUi(nullptr); }

  std::deque<std::optional<QString>> open_answers;
  std::deque<SaveChoice> save_answers;
  std::deque<std::optional<QString>> folder_answers;
  std::deque<std::optional<QFont>> font_answers;

  QStringList messages;        // every message box shown, in order
  QStringList save_proposals;  // proposed names of the save dialogs opened
  QStringList save_filters;    // their filters
  QStringList open_filters;    // filters of the open dialogs

  std::optional<QString> OpenFile(const QString& filter, const QString&) override {
    open_filters << filter;
    return Take(open_answers);
  }
  SaveChoice SaveFile(const QString& filter, const QString& proposed, const QString&) override {
    save_filters << filter;
    save_proposals << proposed;
    if (save_answers.empty())
      return {};
    SaveChoice choice = save_answers.front();
    save_answers.pop_front();
    return choice;
  }
  std::optional<QString> ChooseFolder(const QString&) override { return Take(folder_answers); }
  std::optional<QFont> ChooseFont(const QFont&) override { return Take(font_answers); }
  void ShowMessage(const QString& text) override { messages << text; }

 private:
  template <class T>
  static std::optional<T> Take(std::deque<std::optional<T>>& answers) {
    // An unscripted dialog is cancelled.
    if (answers.empty())
      return std::nullopt;
    const bool cancelled = !answers.front().has_value();
    if (cancelled) {
      answers.pop_front();
      return std::nullopt;
    }
    T value = *answers.front();
    answers.pop_front();
    return value;
  }
};

}  // namespace platform
