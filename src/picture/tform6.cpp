#include "picture/tform6.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <filesystem>
#include <tuple>

#include "picture/dither.h"
#include "picture/gif_folder.h"
#include "picture/gif_frames.h"
#include "picture/messages.h"
#include "picture/panel_preview.h"
#include "picture/picture_option_controls.h"
#include "picture/preview_image.h"
#include "picture/rotation.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/list_selection.h"
#include "platform/output_name.h"
#include "platform/paths.h"
#include "platform/program_end.h"
#include "platform/qt_text.h"
#include "platform/window_placement.h"

namespace {
using platform::Text;
using platform::Utf8;

constexpr const char* kGifFilter =
    "All(*.gif;*.GIF)|*.gif;*.GIF|gif Image File (*.gif)|*.gif|GIF Image File (*.GIF)|*.GIF";
constexpr const char* kPaleYellow = "background-color: #FFFFE1;";

}  // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm6");
  setWindowTitle("GIF Tool");
  BuildControls();
  resize(1024, 700);
  platform::OpenMaximised(this);
}

void TForm6::BuildControls() {
  auto* columns = new QHBoxLayout(this);
  columns->addWidget(BuildPicturePanel(), 3);
  columns->addWidget(BuildCtrlPanel(), 1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(2000);

  connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
  connect(BtnSConvert, &QPushButton::clicked, this, &TForm6::BtnSConvertClick);
  connect(BtnAConvert, &QPushButton::clicked, this, &TForm6::BtnAConvertClick);
  connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
  platform::OnEntryChosen(ListBox1, [this] { ListBox1Click(); });
  connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
  PanelCtrl->installEventFilter(this);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm6::ShowFrame);
  connect(ComboBoxDither, &QComboBox::currentIndexChanged, this, &TForm6::ShowFrame);
  connect(CheckBoxPanel, &QCheckBox::toggled, this, &TForm6::ShowFrame);
  for (QCheckBox* box : {CheckBoxX, CheckBoxY, CheckBoxNBin})
    connect(box, &QCheckBox::toggled, this, &TForm6::PanelSettingChanged);
  for (platform::RadioGroup* group : {RadioGroup1, RadioGroup2})
    connect(group, &platform::RadioGroup::Clicked, this, &TForm6::PanelSettingChanged);
}

QWidget* TForm6::BuildPicturePanel() {
  PanelPicture = new QGroupBox("GIF Picture", this);
  PanelPicture->setObjectName("PanelPicture");
  auto* layout = new QVBoxLayout(PanelPicture);
  ScrollBox1 = new QScrollArea(PanelPicture);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setStyleSheet("background-color: #202020;");
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  ScrollBox1->setWidget(Image1);
  Memo1 = new QPlainTextEdit(PanelPicture);
  Memo1->setObjectName("Memo1");
  Memo1->setStyleSheet(kPaleYellow);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  ProgressBar1 = new QProgressBar(PanelPicture);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  layout->addWidget(ScrollBox1, 3);
  layout->addWidget(Memo1, 1);
  layout->addWidget(ProgressBar1);
  return PanelPicture;
}

QWidget* TForm6::BuildCtrlPanel() {
  PanelCtrl = new QGroupBox("Ctrl", this);
  PanelCtrl->setObjectName("PanelCtrl");
  auto* layout = new QVBoxLayout(PanelCtrl);
  picture::ControlColumn column(PanelCtrl, layout);
  Button1 = column.Button("Button1", "Input Picture");
  BtnSConvert = column.Button("BtnSConvert", "Single Convert");
  BtnAConvert = column.Button("BtnAConvert", "All Convert");
  ComboBox1 = column.PixelFormats({"R5G6B5", "R8G8B8"});
  RadioGroup1 = column.ColourOrder();
  RadioGroup2 = column.Rotation();
  std::tie(CheckBoxX, CheckBoxY) = column.Mirrors();
  CheckBoxNBin = column.CheckBox("CheckBoxNBin", "NandFlash BIN   ");
  ComboBoxDither = column.DitherList();
  CheckBoxPanel = column.CheckBox("CheckBoxPanel", "Panel preview");
  Button2 = column.Button("Button2", "Close");
  // The list grows up to half the panel (FormResize) and the gap above it takes the
  // rest; on a small screen the list gives way first, down to a few lines.
  layout->addStretch(0);
  ListBox1 = new QListWidget(PanelCtrl);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setStyleSheet(kPaleYellow);
  ListBox1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  ListBox1->setMinimumHeight(ListBox1->fontMetrics().height() * 4);
  layout->addWidget(ListBox1, 1);
  return PanelCtrl;
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PanelCtrl && event->type() == QEvent::Resize)
    FormResize();
  return QWidget::eventFilter(watched, event);
}

void TForm6::FormResize() {
  // A ceiling, not a fixed height: the window can still be made smaller.
  ListBox1->setMaximumHeight(std::max(ListBox1->minimumHeight(), PanelCtrl->height() / 2));
}

picture::GifSettings TForm6::ReadGifSettings() const {
  picture::GifSettings settings;
  settings.pixel_format_index = picture::PixelFormatIndex(*ComboBox1);
  settings.colour_order_index = RadioGroup1->ItemIndex();
  settings.rotation_index = RadioGroup2->ItemIndex();
  settings.mirror_x = CheckBoxX->isChecked();
  settings.mirror_y = CheckBoxY->isChecked();
  settings.nand = CheckBoxNBin->isChecked();
  settings.dither_index = ComboBoxDither->currentIndex();
  return settings;
}

std::string TForm6::EntryPath(int index) const {
  return GifFolder + Utf8(ListBox1->item(index)->text());
}

platform::Result<platform::Ok> TForm6::Preview(const std::string& path) {
  auto first = picture::GifFirstFrame(path);
  if (!first)
    return first.error();
  FrameCanvas = std::move(*first);
  ShowFrame();
  return platform::Ok{};
}

void TForm6::ShowFrame() {
  const picture::GifSettings settings = ReadGifSettings();
  const picture::WorkingBitmap rotated =
      picture::RotatePicture(FrameCanvas, settings.rotation_index);
  QImage image;
  if (CheckBoxPanel->isChecked()) {
    if (auto module = picture::ModuleView(rotated, settings))
      image = picture::PreviewImage(*module);
  }
  if (image.isNull()) {
    image =
        picture::PreviewImage(picture::PanelColours(rotated, settings.Form(), settings.Encode()));
  }
  Image1->setPixmap(QPixmap::fromImage(image));
  Image1->resize(image.size());
}

void TForm6::PanelSettingChanged() {
  // Without the module's view the preview keeps the rotation it was drawn with.
  if (CheckBoxPanel->isChecked())
    ShowFrame();
}

void TForm6::Button1Click() {
  const QString folder =
      Text(GifFolder.empty() ? platform::PathToUtf8(std::filesystem::current_path()) : GifFolder);
  const auto chosen = platform::Ui().OpenFile(kGifFilter, folder);
  if (!chosen || chosen->isEmpty())
    return;
  const std::string path = Utf8(*chosen);
  GifFolder = platform::FolderOf(path);
  ListBox1->clear();
  const std::vector<std::string> names = picture::ScanGifFolder(GifFolder);
  for (const std::string& name : names)
    ListBox1->addItem(Text(name));
  if (names.empty()) {
    platform::Ui().ShowMessage(picture::kFailToOpen);
    return;
  }
  platform::SelectRow(ListBox1, picture::SelectedGifEntry(names, path));
  if (!Preview(EntryPath(platform::SelectedRow(ListBox1)))) {
    platform::Ui().ShowMessage(picture::kFailToOpen);
    return;
  }
  ProgressBar1->setValue(0);
}

void TForm6::ListBox1Click() {
  const int selected = platform::SelectedRow(ListBox1);
  if (selected < 0)
    return;
  if (!Preview(EntryPath(selected))) {
    platform::Ui().ShowMessage(picture::kFailToOpen);
    return;
  }
  ProgressBar1->setValue(0);
}

void TForm6::SaveDialog1CanClose() {
  SaveConfirmed = true;
}

bool TForm6::ChooseResourceFile() {
  SaveConfirmed = false;
  const platform::SaveChoice choice = platform::Ui().SaveFile("*.bin", "Gif-", Text(GifFolder));
  if (choice.confirmed)
    SaveDialog1CanClose();
  if (!SaveConfirmed)
    return false;
  auto path = platform::OutputPathFor(Utf8(choice.name));
  if (!path) {
    platform::Ui().ShowMessage(Text(path.error().text));
    return false;
  }
  std::vector<std::string> inputs;
  for (int i = 0; i < ListBox1->count(); ++i)
    inputs.push_back(EntryPath(i));
  if (auto refused = picture::RefuseRunOverInputs(*path, inputs); !refused) {
    platform::Ui().ShowMessage(Text(refused.error().text));
    return false;
  }
  OutputPath = *path;
  platform::Ui().ShowMessage(picture::kStartToConvert);
  return true;
}

void TForm6::BtnSConvertClick() {
  if (ListBox1->count() == 0) {
    platform::Ui().ShowMessage(picture::kPleaseInputGif);
    return;
  }
  Memo1->clear();  // before the dialog: a cancelled dialog still leaves it empty
  if (!ChooseResourceFile())
    return;
  ConvertIndex = std::max(platform::SelectedRow(ListBox1), 0);
  ConvertCount = 1;
  ProgressBar1->setValue(0);
  NextAddress = 0;
  StartRun();
}

void TForm6::BtnAConvertClick() {
  if (ListBox1->count() == 0) {
    platform::Ui().ShowMessage(picture::kPleaseInputGif);
    return;
  }
  Memo1->clear();
  if (!ChooseResourceFile())
    return;
  ConvertIndex = 0;
  ConvertCount = ListBox1->count();
  if (auto shown = Preview(EntryPath(0)); !shown) {
    // Not guarded in the window's design: the error's own text, and no run.
    platform::Ui().ShowMessage(Text(shown.error().text));
    return;
  }
  ProgressBar1->setValue(0);
  NextAddress = 0;
  StartRun();
}

void TForm6::StartRun() {
  // The run keeps its own copy of the list, so nothing done in the window between
  // ticks changes which files it converts.
  std::vector<picture::GifEntry> entries;
  for (int i = 0; i < ListBox1->count(); ++i)
    entries.push_back({EntryPath(i), Utf8(ListBox1->item(i)->text())});
  run_.emplace(std::move(entries), ConvertIndex, ConvertCount, OutputPath,
               platform::TextCodePage());
  shown_log_lines_ = 0;
  SetRunning(true);
  Timer1->start(500);
}

void TForm6::SetRunning(bool running) {
  Button1->setEnabled(!running);
  BtnSConvert->setEnabled(!running);
  BtnAConvert->setEnabled(!running);
}

void TForm6::ShowNewLogLines() {
  if (!run_)
    return;
  const std::vector<std::string>& log = run_->Log();
  for (; shown_log_lines_ < log.size(); ++shown_log_lines_) {
    std::string line = log[shown_log_lines_];
    // A frame line's own line-feed is for the address list; the log shows one line.
    if (line.ends_with('\n'))
      line.pop_back();
    Memo1->appendPlainText(Text(line));
  }
}

void TForm6::ShowMessages(const picture::StepOutcome& step) {
  for (const platform::Message& message : step.messages)
    platform::Ui().ShowMessage(Text(message.text));
}

void TForm6::PumpEvents(int percent) {
  ProgressBar1->setValue(percent);
  ShowNewLogLines();
  QCoreApplication::processEvents();
}

void TForm6::Timer1Timer() {
  Timer1->stop();
  if (!run_)
    return;
  const picture::StepOutcome step =
      run_->Step(ReadGifSettings(), [this](int percent) { PumpEvents(percent); });
  if (platform::ProgramEnding())
    return;
  ConvertIndex = run_->ConvertIndex();
  ItemSize = static_cast<int>(run_->ItemSize());
  NextAddress = static_cast<int>(run_->NextAddress());
  FrameCanvas = run_->FrameCanvas();
  FrameBitmap = run_->FrameBitmap();
  PictureWidth = FrameBitmap.Width();
  PictureHeight = FrameBitmap.Height();
  ShowNewLogLines();
  ShowMessages(step);
  if (step.stopped) {
    SetRunning(false);
    return;
  }
  if (run_->HasMore()) {
    Timer1->start(50);
    return;
  }
  const picture::StepOutcome finished = run_->Finish();
  SetRunning(false);
  ShowMessages(finished);
}

void TForm6::Button2Click() {
  hide();
}
