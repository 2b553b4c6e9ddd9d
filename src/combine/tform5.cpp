#include "combine/tform5.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "combine/combination.h"
#include "combine/messages.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/qt_text.h"
#include "platform/window_placement.h"

using combine::kSlotCount;

namespace {
using platform::Text;

// Only changed fields are set, so the caret stays where the user is typing.
void SetField(QLineEdit* field, const std::string& text) {
  if (field->text() != Text(text))
    field->setText(Text(text));
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm5");
  setWindowTitle(QString::fromUtf8("BinFile Combine"));
  BuildControls();
  Memo1->clear();
  for (int slot = 1; slot < kSlotCount; ++slot)
    pickers_[slot]->setEnabled(false);
  resize(760, 480);
  platform::CentreOnScreen(this);

  connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
  connect(Button6, &QPushButton::clicked, this, &TForm5::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TForm5::Button7Click);
  connect(Button8, &QPushButton::clicked, this, &TForm5::Button8Click);
  connect(Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
  for (QLineEdit* start : {Edit2, Edit5, Edit8, Edit11, Edit14}) {
    start->installEventFilter(this);
    // A field emptied while typing waits for the entry to end (Enter, or the focus
    // leaving it) before it is re-chained, and refused if still empty.
    connect(start, &QLineEdit::editingFinished, this, [this, start] { StartFieldKeyUp(start); });
  }
}

void TForm5::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  grid->addWidget(new QLabel("Files", this), 0, 1);
  grid->addWidget(new QLabel("Start Address", this), 0, 2);
  grid->addWidget(new QLabel("Length(bytes)", this), 0, 3);
  grid->setColumnStretch(1, 1);

  struct Row {
    QPushButton*& picker;
    const char* picker_name;
    QLineEdit*& name;
    QLineEdit*& start;
    QLineEdit*& length;
  };
  const Row rows[kSlotCount] = {
      {Button1, "Button1", Edit1, Edit2, Edit3},    {Button2, "Button2", Edit4, Edit5, Edit6},
      {Button3, "Button3", Edit7, Edit8, Edit9},    {Button6, "Button6", Edit10, Edit11, Edit12},
      {Button7, "Button7", Edit13, Edit14, Edit15}, {Button8, "Button8", Edit16, Edit17, Edit18},
  };
  int field_number = 1;
  auto field = [this, &field_number](QLineEdit*& member, const QString& text, bool read_only) {
    member = new QLineEdit(text, this);
    member->setObjectName(QString("Edit%1").arg(field_number++));
    member->setReadOnly(read_only);
    return member;
  };
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const Row& row = rows[slot];
    row.picker = new QPushButton(Text(combine::SlotCaption(slot)), this);
    row.picker->setObjectName(row.picker_name);
    pickers_[slot] = row.picker;
    names_[slot] = field(row.name, {}, true);
    starts_[slot] = field(row.start, "0", slot == 0);  // slot 1 always starts at 0
    lengths_[slot] = field(row.length, "0", true);
    grid->addWidget(row.picker, slot + 1, 0);
    grid->addWidget(row.name, slot + 1, 1);
    grid->addWidget(row.start, slot + 1, 2);
    grid->addWidget(row.length, slot + 1, 3);
  }

  auto* buttons = new QHBoxLayout;
  Button4 = new QPushButton("File Combine", this);
  Button4->setObjectName("Button4");
  Button5 = new QPushButton("Close", this);
  Button5->setObjectName("Button5");
  buttons->addStretch(1);
  buttons->addWidget(Button4);
  buttons->addWidget(Button5);
  layout->addLayout(buttons);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Memo1, 1);
}

void TForm5::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TForm5::FormShow() {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (QLineEdit* number : {starts_[slot], lengths_[slot]})
      number->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), number));
  }
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && !field->text().isEmpty())
      StartFieldKeyUp(field);
  }
  return QWidget::eventFilter(watched, event);
}

void TForm5::StartFieldKeyUp(const QLineEdit* field) {
  if (field == Edit2)
    Edit2KeyUp();
  else if (field == Edit5)
    Edit5KeyUp();
  else if (field == Edit8)
    Edit8KeyUp();
  else if (field == Edit11)
    Edit11KeyUp();
  else if (field == Edit14)
    Edit14KeyUp();
}

combine::SlotTable TForm5::ReadSlots() const {
  combine::SlotTable table;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    table[slot].name = names_[slot]->text().toStdString();
    table[slot].start = starts_[slot]->text().toStdString();
    table[slot].length = lengths_[slot]->text().toStdString();
  }
  return table;
}

void TForm5::ShowSlots(const combine::SlotTable& table) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetField(names_[slot], table[slot].name);
    SetField(starts_[slot], table[slot].start);
    SetField(lengths_[slot], table[slot].length);
  }
}

void TForm5::PickSlot(int slot) {
  const std::optional<QString> chosen = platform::Ui().OpenFile(combine::kBinPattern, LastFolder);
  combine::SlotTable table = ReadSlots();
  const auto picked =
      combine::PickFile(table, slot, chosen ? std::optional(chosen->toStdString()) : std::nullopt);
  ShowSlots(table);
  if (!picked) {
    platform::Ui().ShowMessage(Text(picked.error().text));
    return;
  }
  LastFolder = Text(platform::FolderOf(table[slot].name));
  if (slot + 1 < kSlotCount)
    pickers_[slot + 1]->setEnabled(true);
}

void TForm5::RechainFrom(int slot) {
  combine::SlotTable table = ReadSlots();
  const auto chained = combine::Rechain(table, slot);
  ShowSlots(table);
  if (!chained)
    platform::Ui().ShowMessage(Text(chained.error().text));
}

void TForm5::Button1Click() {
  PickSlot(0);
}
void TForm5::Button2Click() {
  PickSlot(1);
}
void TForm5::Button3Click() {
  PickSlot(2);
}
void TForm5::Button6Click() {
  PickSlot(3);
}
void TForm5::Button7Click() {
  PickSlot(4);
}
void TForm5::Button8Click() {
  PickSlot(5);
}

void TForm5::Edit2KeyUp() {
  RechainFrom(0);
}
void TForm5::Edit5KeyUp() {
  RechainFrom(1);
}
void TForm5::Edit8KeyUp() {
  RechainFrom(2);
}
void TForm5::Edit11KeyUp() {
  RechainFrom(3);
}
void TForm5::Edit14KeyUp() {
  RechainFrom(4);
}

void TForm5::Button4Click() {
  const auto table = combine::SlotsToCombine(ReadSlots());
  if (!table) {
    platform::Ui().ShowMessage(Text(table.error().text));
    return;
  }
  const platform::SaveChoice choice =
      platform::Ui().SaveFile(combine::kBinPattern, combine::kBinPattern, LastFolder);
  const combine::CombineOutcome outcome = combine::CombineFiles(
      *table, choice.confirmed ? std::optional(choice.name.toStdString()) : std::nullopt,
      platform::TextCodePage());
  if (outcome.output_created) {
    Memo1->clear();
    for (const std::string& line : outcome.listing)
      Memo1->appendPlainText(Text(line));
    for (const std::string& line : outcome.warnings)
      Memo1->appendPlainText(Text(line));
  }
  for (const platform::Message& message : outcome.messages)
    platform::Ui().ShowMessage(Text(message.text));
}

void TForm5::Button5Click() {
  hide();
}
