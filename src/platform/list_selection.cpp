#include "platform/list_selection.h"

#include <QEvent>
#include <QSignalBlocker>

namespace platform {

namespace {

// Tells a click that changed the selection (its action has run) from a click on the
// entry that was already selected (its action runs on the click).
class ChoiceWatcher final : public QObject {
 public:
  ChoiceWatcher(QListWidget* list, std::function<void()> action)
      : QObject(list), list_(list), action_(std::move(action)) {
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemSelectionChanged, this, [this] {
      changed_since_press_ = true;
      if (SelectedRow(list_) >= 0)
        action_();
    });
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
      if (!changed_since_press_ && item != nullptr && item->isSelected())
        action_();
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress)
      changed_since_press_ = false;
    return QObject::eventFilter(watched, event);
  }

 private:
  QListWidget* list_;
  std::function<void()> action_;
  bool changed_since_press_ = false;
};

}  // namespace

void OnEntryChosen(QListWidget* list, std::function<void()> action) {
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  new ChoiceWatcher(list, std::move(action));
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

void SelectRow(QListWidget* list, int row) {
  const QSignalBlocker quiet(list);
  list->setCurrentRow(row < list->count() ? row : -1);
  if (row < 0 || row >= list->count())
    list->clearSelection();
}

void DeleteRow(QListWidget* list, int row) {
  const QSignalBlocker quiet(list);
  delete list->takeItem(row);
  SelectRow(list, row);
}

}  // namespace platform
