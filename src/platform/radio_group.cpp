#include "platform/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace platform {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent,
                       int columns)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QGridLayout(this);
  columns = std::max(columns, 1);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout->addWidget(button, i / columns, i % columns);
  }
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::Clicked);
}

int RadioGroup::ItemIndex() const {
  return buttons_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index))
    button->setChecked(true);
}

}  // namespace platform
