#pragma once
// A captioned group of radio buttons with one selected index, as the windows use for
// colour order, rotation and similar choices.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace platform {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // The items fill `columns` columns row by row.
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr,
             int columns = 1);

  // The selected item, or -1 when none is.
  [[nodiscard]] int ItemIndex() const;
  void SetItemIndex(int index);

 signals:
  void Clicked(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace platform
