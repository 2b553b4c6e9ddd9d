#include "viewer/tform9.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <filesystem>

#include "picture/preview_image.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/qt_text.h"
#include "platform/window_placement.h"
#include "viewer/entry_browse.h"
#include "viewer/extract.h"

namespace {
using platform::Text;
using platform::Utf8;

constexpr const char* kOpenFilter = "Flash image or resource file (*.bin)|*.bin|All files (*)|*";
constexpr int kPlayInterval = 100;  // ms a frame stays; a GIF resource keeps no delays
constexpr int kLargestZoom = 32;

QString MessageText(const platform::Message& message) {
  return Text(message.reason.empty() ? message.text : message.text + "\n" + message.reason);
}

}  // namespace

TForm9::TForm9(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm9");
  setWindowTitle("Viewer");
  BuildControls();
  resize(1100, 660);
  platform::CentreOnScreen(this);
}

void TForm9::BuildControls() {
  auto* columns = new QHBoxLayout(this);
  auto* side = new QVBoxLayout;
  columns->addLayout(side, 2);

  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](QPushButton*& member, const char* name, const char* caption) {
    member = new QPushButton(caption, this);
    member->setObjectName(name);
    buttons->addWidget(member);
  };
  button(ButtonOpen, "ButtonOpen", "&Open");
  button(ButtonSaveAs, "ButtonSaveAs", "&Save As");
  button(ButtonPlay, "ButtonPlay", "&Play");
  button(ButtonClose, "ButtonClose", "&Close");
  side->addLayout(buttons);

  auto* options = new QHBoxLayout;
  CheckBoxBGR = new QCheckBox("BGR", this);
  CheckBoxBGR->setObjectName("CheckBoxBGR");
  CheckBoxARGB = new QCheckBox("aRGB", this);
  CheckBoxARGB->setObjectName("CheckBoxARGB");
  CheckBoxNand = new QCheckBox("NAND", this);
  CheckBoxNand->setObjectName("CheckBoxNand");
  auto* zoom_label = new QLabel("&Zoom", this);
  SpinZoom = new QSpinBox(this);
  SpinZoom->setObjectName("SpinZoom");
  SpinZoom->setRange(1, kLargestZoom);
  SpinZoom->setSuffix("x");
  zoom_label->setBuddy(SpinZoom);
  options->addWidget(CheckBoxBGR);
  options->addWidget(CheckBoxARGB);
  options->addWidget(CheckBoxNand);
  options->addStretch(1);
  options->addWidget(zoom_label);
  options->addWidget(SpinZoom);
  side->addLayout(options);

  auto* entries_label = new QLabel("&Entries", this);
  side->addWidget(entries_label);
  ListEntries = new QListWidget(this);
  ListEntries->setObjectName("ListEntries");
  entries_label->setBuddy(ListEntries);
  ListEntries->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ListEntries->setStyleSheet("background-color: #FFFFE1;");
  side->addWidget(ListEntries, 3);
  MemoInfo = new QPlainTextEdit(this);
  MemoInfo->setObjectName("MemoInfo");
  MemoInfo->setReadOnly(true);
  MemoInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoInfo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  side->addWidget(MemoInfo, 2);

  auto* picture = new QVBoxLayout;
  columns->addLayout(picture, 3);
  ScrollView = new QScrollArea(this);
  ScrollView->setObjectName("ScrollView");
  ScrollView->setStyleSheet("background-color: #202020;");
  View = new viewer::PixelView;
  View->setObjectName("View");
  ScrollView->setWidget(View);
  picture->addWidget(ScrollView, 1);
  LabelStatus = new QLabel(this);
  LabelStatus->setObjectName("LabelStatus");
  LabelStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LabelStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  picture->addWidget(LabelStatus);

  TimerPlay = new QTimer(this);
  TimerPlay->setObjectName("TimerPlay");
  TimerPlay->setInterval(kPlayInterval);

  connect(ButtonOpen, &QPushButton::clicked, this, &TForm9::ButtonOpenClick);
  connect(ButtonSaveAs, &QPushButton::clicked, this, &TForm9::ButtonSaveAsClick);
  connect(ButtonPlay, &QPushButton::clicked, this, &TForm9::ButtonPlayClick);
  connect(ButtonClose, &QPushButton::clicked, this, &TForm9::ButtonCloseClick);
  connect(CheckBoxBGR, &QCheckBox::toggled, this, &TForm9::OptionsChange);
  connect(CheckBoxARGB, &QCheckBox::toggled, this, &TForm9::OptionsChange);
  connect(CheckBoxNand, &QCheckBox::toggled, this, &TForm9::OptionsChange);
  connect(SpinZoom, &QSpinBox::valueChanged, this, &TForm9::SpinZoomChange);
  // The current row follows the keys as well as the mouse.
  connect(ListEntries, &QListWidget::currentRowChanged, this, &TForm9::ListEntriesChange);
  connect(TimerPlay, &QTimer::timeout, this, &TForm9::TimerPlayTimer);
  connect(View, &viewer::PixelView::Hovered, this, &TForm9::ViewHover);
  connect(View, &viewer::PixelView::ZoomStep, this,
          [this](int step) { SpinZoom->setValue(SpinZoom->value() + step); });
  ButtonSaveAs->setEnabled(false);
  ButtonPlay->setEnabled(false);
}

viewer::ReadOptions TForm9::ReadOptions() const {
  viewer::ReadOptions options;
  options.colour_order_index = CheckBoxBGR->isChecked() ? 1 : 0;
  options.argb = CheckBoxARGB->isChecked();
  // A flash image says by its header size; a resource file is NOR unless told.
  if (CheckBoxNand->isChecked())
    options.nand = true;
  return options;
}

void TForm9::ButtonOpenClick() {
  const QString folder = Text(
      ViewerFolder.empty() ? platform::PathToUtf8(std::filesystem::current_path()) : ViewerFolder);
  const auto chosen = platform::Ui().OpenFile(kOpenFilter, folder);
  if (!chosen || chosen->isEmpty())
    return;
  OpenPath(Utf8(*chosen));
}

bool TForm9::OpenPath(const std::string& path) {
  auto contents = viewer::ReadImageContents(path, ReadOptions());
  if (!contents) {
    // What was open stays open.
    platform::Ui().ShowMessage(MessageText(contents.error()));
    return false;
  }
  StopPlaying();
  ViewerFolder = platform::FolderOf(path);
  Contents = std::move(*contents);
  FillList();
  return true;
}

void TForm9::OptionsChange() {
  if (!Contents)
    return;
  // The options change how the file reads: read it again, keeping the entry in view.
  const int row = ListEntries->currentRow();
  auto contents = viewer::ReadImageContents(Contents->path, ReadOptions());
  if (!contents) {
    platform::Ui().ShowMessage(MessageText(contents.error()));
    return;
  }
  Contents = std::move(*contents);
  FillList();
  if (row >= 0 && row < ListEntries->count())
    ListEntries->setCurrentRow(row);
}

void TForm9::FillList() {
  {
    const QSignalBlocker quiet(ListEntries);
    ListEntries->clear();
    for (const viewer::Entry& entry : Contents->entries) {
      auto* item = new QListWidgetItem(Text(viewer::EntryLine(entry)), ListEntries);
      if (!entry.Good()) {
        item->setForeground(QColor(0xB0, 0, 0));
        item->setToolTip(Text(entry.problem));
      }
    }
  }
  QStringList info;
  info << Text(Contents->path);
  for (const std::string& line : Contents->header_lines)
    info << Text(line);
  for (const std::string& problem : Contents->problems)
    info << Text("! " + problem);
  MemoInfo->setPlainText(info.join('\n'));
  if (ListEntries->count() > 0) {
    ListEntries->setCurrentRow(0);
  } else {
    ShowEntry(-1);
  }
}

const viewer::Entry* TForm9::SelectedEntry() const {
  const int row = ListEntries->currentRow();
  if (!Contents || row < 0 || row >= static_cast<int>(Contents->entries.size()))
    return nullptr;
  return &Contents->entries[static_cast<std::size_t>(row)];
}

void TForm9::ListEntriesChange(int row) {
  ShowEntry(row);
}

void TForm9::ShowEntry(int row) {
  sheet_.reset();
  View->SetImage({});
  const viewer::Entry* entry = SelectedEntry();
  if (row < 0 || entry == nullptr) {
    entry_status_ = Contents && Contents->entries.empty() ? "No entries" : "";
    ButtonSaveAs->setEnabled(false);
    ButtonPlay->setEnabled(false);
    LabelStatus->setText(entry_status_);
    return;
  }
  QString status = Text(viewer::EntryLine(*entry));
  if (entry->Good()) {
    platform::Result<picture::DecodedPicture> drawn = picture::DecodedPicture{};
    switch (entry->kind) {
      case viewer::EntryKind::Picture:
        drawn = viewer::DecodePictureEntry(*Contents, *entry);
        break;
      case viewer::EntryKind::Cursor:
        drawn = viewer::DecodeCursorEntry(*Contents, *entry);
        break;
      case viewer::EntryKind::Font:
        if (entry->note.empty()) {
          if (auto sheet = viewer::DecodeFontEntry(*Contents, *entry)) {
            drawn = sheet->picture;
            sheet_ = std::move(*sheet);
          } else {
            drawn = sheet.error();
          }
        }
        break;
      case viewer::EntryKind::Sound:
        break;  // nothing to draw; Save As writes its WAV
    }
    if (drawn) {
      View->SetImage(picture::RgbaImage(*drawn));
    } else {
      status += " ! " + MessageText(drawn.error());
    }
    if (!entry->note.empty())
      status += " (" + Text(entry->note) + ")";
  }
  entry_status_ = status;
  LabelStatus->setText(status);
  ButtonSaveAs->setEnabled(entry->Good() && entry->note.empty());
  ButtonPlay->setEnabled(TimerPlay->isActive() ||
                         viewer::PlayOrder(*Contents, std::size_t(row)).size() > 1);
}

void TForm9::SpinZoomChange(int zoom) {
  View->SetZoom(zoom);
}

void TForm9::ViewHover(int x, int y) {
  if (x < 0 || y < 0) {
    LabelStatus->setText(entry_status_);
    return;
  }
  QString text = QString("(%1, %2)").arg(x).arg(y);
  if (sheet_) {
    if (auto glyph = viewer::GlyphAt(*sheet_, x, y))
      text = Text(*glyph) + "  " + text;
  }
  LabelStatus->setText(text);
}

void TForm9::ButtonPlayClick() {
  if (TimerPlay->isActive()) {
    StopPlaying();
    return;
  }
  const viewer::Entry* entry = SelectedEntry();
  if (entry == nullptr)
    return;
  TimerPlay->start();
  ButtonPlay->setText("S&top");
}

void TForm9::StopPlaying() {
  TimerPlay->stop();
  ButtonPlay->setText("&Play");
}

void TForm9::TimerPlayTimer() {
  const int row = ListEntries->currentRow();
  if (!Contents || row < 0) {
    StopPlaying();
    return;
  }
  const auto next = viewer::NextToPlay(*Contents, std::size_t(row));
  if (!next) {
    StopPlaying();
    return;
  }
  ListEntries->setCurrentRow(static_cast<int>(*next));
}

void TForm9::ButtonSaveAsClick() {
  const viewer::Entry* entry = SelectedEntry();
  if (entry == nullptr || !entry->Good())
    return;
  const std::string output = entry->output;
  const std::string extension = output.substr(output.rfind('.'));
  const platform::SaveChoice choice =
      platform::Ui().SaveFile(Text("*" + extension), Text(output), Text(ViewerFolder));
  if (!choice.confirmed || choice.name.isEmpty())
    return;
  std::string path = Utf8(choice.name);
  if (!path.ends_with(extension))
    path += extension;
  auto saved = viewer::SaveEntry(*Contents, *entry, path);
  if (!saved) {
    platform::Ui().ShowMessage(MessageText(saved.error()));
    return;
  }
  ViewerFolder = platform::FolderOf(path);
  entry_status_ = "Saved " + Text(path);
  LabelStatus->setText(entry_status_);
}

void TForm9::hideEvent(QHideEvent* event) {
  StopPlaying();
  QWidget::hideEvent(event);
}

void TForm9::ButtonCloseClick() {
  StopPlaying();
  hide();
}
