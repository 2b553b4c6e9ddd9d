#include "app/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QThread>
#include <QVBoxLayout>
#include <tuple>

#include "picture/messages.h"
#include "picture/panel_preview.h"
#include "picture/picture_folder.h"
#include "picture/picture_option_controls.h"
#include "picture/preview_image.h"
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

constexpr const char* kPictureFilter =
    "All (*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tif;*.tiff;*.ico;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.png;"
    "*.bmp;*.tif;*.tiff;*.ico;*.emf;*.wmf|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|"
    "*.jpeg|Portable Network Graphics (*.png)|*.png|Bitmaps (*.bmp)|*.bmp";
}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TForm1");
  setWindowTitle("Dravick Tool V1.641");
  PictureFolder = platform::PathToUtf8(std::filesystem::current_path()) + platform::kSeparator;
  platform::SetProgramEnding(false);
  BuildControls();
  BuildMenu();
  resize(1024, 700);
  platform::CentreOnScreen(this);
  platform::OpenMaximised(this);
}

void TForm1::BuildControls() {
  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  setCentralWidget(central);

  PanelPicture = new QGroupBox("Picture", central);
  PanelPicture->setObjectName("PanelPicture");
  auto* picture_layout = new QVBoxLayout(PanelPicture);
  ScrollBox1 = new QScrollArea(PanelPicture);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setStyleSheet("background-color: #202020;");
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  ScrollBox1->setWidget(Image1);
  ListBox1 = new QListWidget(PanelPicture);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setStyleSheet("background-color: #FFFFE1;");
  ProgressBar1 = new QProgressBar(PanelPicture);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  picture_layout->addWidget(ScrollBox1, 3);
  picture_layout->addWidget(ListBox1, 1);
  picture_layout->addWidget(ProgressBar1);

  PanelControl = new QGroupBox("Control", central);
  PanelControl->setObjectName("PanelControl");
  auto* control_layout = new QVBoxLayout(PanelControl);
  picture::ControlColumn column(PanelControl, control_layout);
  BtnInputPicture = column.Button("BtnInputPicture", "Input Picture");
  BtnSConvert = column.Button("BtnSConvert", "Single Convert");
  BtnMConvert = column.Button("BtnMConvert", "All Convert");
  BtnBmpUP = column.Button("BtnBmpUP", "Picture UP");
  BtnBmpDown = column.Button("BtnBmpDown", "Picture Down");
  ComboBox1 = column.PixelFormats({"R5G6B5", "R8G8B8", "Black_White"});
  RadioGroup1 = column.ColourOrder();
  RadioGroup2 = column.Rotation();
  std::tie(CheckBoxX, CheckBoxY) = column.Mirrors();
  auto* alpha_row = new QHBoxLayout;
  LabelAPNG = new QLabel("PNG  Alpha     ", PanelControl);
  EditAPNG = new QLineEdit("150", PanelControl);
  EditAPNG->setObjectName("EditAPNG");
  alpha_row->addWidget(LabelAPNG);
  alpha_row->addWidget(EditAPNG);
  control_layout->addLayout(alpha_row);
  CheckBoxNBin = column.CheckBox("CheckBoxNBin", "NandFlash BIN   ");
  CheckBoxARGB = column.CheckBox("CheckBoxARGB", "aRGB PNG  ");
  ComboBoxDither = column.DitherList();
  EditThreshold = column.Field("EditThreshold", "BW Threshold", QString());
  // Empty, or a luma from 0 to 255.
  EditThreshold->setValidator(new QRegularExpressionValidator(
      QRegularExpression("[0-9]|[1-9][0-9]|1[0-9][0-9]|2[0-4][0-9]|25[0-5]"), EditThreshold));
  CheckBoxPanel = column.CheckBox("CheckBoxPanel", "Panel preview");
  BtnExit = column.Button("BtnExit", "Exit");
  Memo1 = new QPlainTextEdit(PanelControl);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  control_layout->addWidget(Memo1, 1);

  columns->addWidget(PanelPicture, 3);
  columns->addWidget(PanelControl, 1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(2000);

  connect(BtnInputPicture, &QPushButton::clicked, this, &TForm1::BtnInputPictureClick);
  connect(BtnSConvert, &QPushButton::clicked, this, &TForm1::BtnSConvertClick);
  connect(BtnMConvert, &QPushButton::clicked, this, &TForm1::BtnMConvertClick);
  connect(BtnExit, &QPushButton::clicked, this, &TForm1::BtnExitClick);
  connect(BtnBmpUP, &QPushButton::clicked, this, &TForm1::BtnBmpUPClick);
  connect(BtnBmpDown, &QPushButton::clicked, this, &TForm1::BtnBmpDownClick);
  platform::OnEntryChosen(ListBox1, [this] { ListBox1Click(); });
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  // The preview shows the picture as the chosen form and dither will show it.
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm1::ShowPreview);
  connect(ComboBoxDither, &QComboBox::currentIndexChanged, this, &TForm1::ShowPreview);
  connect(EditThreshold, &QLineEdit::textChanged, this, &TForm1::ShowPreview);
  connect(CheckBoxARGB, &QCheckBox::toggled, this, &TForm1::ShowPreview);
  connect(CheckBoxPanel, &QCheckBox::toggled, this, &TForm1::ShowPreview);
  for (QCheckBox* box : {CheckBoxX, CheckBoxY, CheckBoxNBin})
    connect(box, &QCheckBox::toggled, this, &TForm1::PanelSettingChanged);
  for (platform::RadioGroup* group : {RadioGroup1, RadioGroup2})
    connect(group, &platform::RadioGroup::Clicked, this, &TForm1::PanelSettingChanged);
}

void TForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  auto item = [bar](QAction*& member, const char* name, const char* caption) {
    member = bar->addAction(caption);
    member->setObjectName(name);
  };
  item(File1, "File1", "Exit");
  item(Bootloader1, "Bootloader1", "Bootloader");
  item(ICON1, "ICON1", "Cursor");
  item(Font1, "Font1", "Font");
  item(BinFile1, "BinFile1", "BinFile");
  item(GIFTool1, "GIFTool1", "GIFTool");
  item(WAVTool1, "WAVTool1", "WAVTool");
  item(Dravick1, "Dravick1", "Dravick");
  item(Viewer1, "Viewer1", "Viewer");
  connect(File1, &QAction::triggered, this, &TForm1::File1Click);
  connect(Bootloader1, &QAction::triggered, this, &TForm1::Bootloader1Click);
  connect(ICON1, &QAction::triggered, this, &TForm1::ICON1Click);
  connect(Font1, &QAction::triggered, this, &TForm1::Font1Click);
  connect(BinFile1, &QAction::triggered, this, &TForm1::BinFile1Click);
  connect(GIFTool1, &QAction::triggered, this, &TForm1::GIFTool1Click);
  connect(WAVTool1, &QAction::triggered, this, &TForm1::WAVTool1Click);
  connect(Dravick1, &QAction::triggered, this, &TForm1::Dravick1Click);
  connect(Viewer1, &QAction::triggered, this, &TForm1::Viewer1Click);
}

void TForm1::SetToolWindows(std::vector<QWidget*> windows) {
  tool_windows_ = std::move(windows);
}

void TForm1::ShowTool(int index) {
  if (index >= static_cast<int>(tool_windows_.size()))
    return;
  QWidget* window = tool_windows_[static_cast<std::size_t>(index)];
  window->show();
  window->raise();
  window->activateWindow();
}

void TForm1::File1Click() {
  close();
}
void TForm1::Bootloader1Click() {
  ShowTool(0);
}
void TForm1::ICON1Click() {
  ShowTool(1);
}
void TForm1::Font1Click() {
  ShowTool(2);
}
void TForm1::BinFile1Click() {
  ShowTool(3);
}
void TForm1::GIFTool1Click() {
  ShowTool(4);
}
void TForm1::WAVTool1Click() {
  ShowTool(5);
}
void TForm1::Dravick1Click() {
  ShowTool(6);
}
void TForm1::Viewer1Click() {
  ShowTool(7);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program: a run stops, the other windows close
  // with it, and work they are doing stops at its next pause.
  Timer1->stop();
  platform::SetProgramEnding(true);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible())
      window->close();
  }
  QMainWindow::closeEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TForm1::FormShow() {
  EditAPNG->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), EditAPNG));
}

picture::PictureSettings TForm1::ReadPictureSettings() const {
  picture::PictureSettings settings;
  settings.pixel_format_index = picture::PixelFormatIndex(*ComboBox1);
  settings.colour_order_index = RadioGroup1->ItemIndex();
  settings.rotation_index = RadioGroup2->ItemIndex();
  settings.mirror_x = CheckBoxX->isChecked();
  settings.mirror_y = CheckBoxY->isChecked();
  settings.alpha_limit_text = Utf8(EditAPNG->text());
  settings.nand = CheckBoxNBin->isChecked();
  settings.argb_png = CheckBoxARGB->isChecked();
  settings.dither_index = ComboBoxDither->currentIndex();
  const QString threshold = EditThreshold->text();
  settings.bw_threshold = threshold.isEmpty() ? -1 : std::min(threshold.toInt(), 255);
  return settings;
}

platform::Result<platform::Ok> TForm1::LoadPreview() {
  CurrentKind = picture::PictureKindOf(CurrentPicture);
  if (CurrentKind == picture::kNoPicture)
    return platform::Ok{};
  auto loaded =
      picture::LoadPreviewPicture(CurrentPicture, static_cast<picture::PictureKind>(CurrentKind),
                                  ReadPictureSettings(), &PreviewKeyed);
  if (!loaded)
    return loaded.error();
  PreviewPicture = std::move(*loaded);
  ShowPreview();
  return platform::Ok{};
}

void TForm1::ShowPreview() {
  const auto kind = static_cast<picture::PictureKind>(CurrentKind);
  const picture::PictureSettings settings = ReadPictureSettings();
  QImage image;
  if (CheckBoxPanel->isChecked()) {
    // A four-bit ARGB PNG that can no longer be read shows as loaded.
    if (auto module =
            picture::ModuleView(PreviewPicture, PreviewKeyed, kind, CurrentPicture, settings))
      image = picture::PreviewImage(*module);
  }
  if (image.isNull()) {
    image =
        picture::PreviewImage(picture::PanelPreview(PreviewPicture, PreviewKeyed, kind, settings));
  }
  Image1->setPixmap(QPixmap::fromImage(image));
  Image1->resize(image.size());
}

void TForm1::PanelSettingChanged() {
  // Without the module's view the preview does not change with these (rotation
  // takes effect at the next load).
  if (CheckBoxPanel->isChecked())
    ShowPreview();
}

void TForm1::ScanFolder(const std::string& chosen_path) {
  PictureFolder = platform::FolderOf(chosen_path);
  ListBox1->clear();
  for (const std::string& entry : picture::ScanPictureFolder(PictureFolder)) {
    ListBox1->addItem(Text(entry));
  }
}

void TForm1::BtnInputPictureClick() {
  const auto chosen = platform::Ui().OpenFile(kPictureFilter, Text(PictureFolder));
  if (!chosen || chosen->isEmpty())
    return;
  CurrentPicture = Utf8(*chosen);
  ScanFolder(CurrentPicture);
  platform::SelectRow(ListBox1, 0);
  for (int i = 0; i < ListBox1->count(); ++i) {
    if (Utf8(ListBox1->item(i)->text()) == CurrentPicture) {
      platform::SelectRow(ListBox1, i);
      break;
    }
  }
  if (!LoadPreview()) {
    platform::Ui().ShowMessage(picture::kFailToOpen);
    return;
  }
  ProgressBar1->setValue(0);
}

void TForm1::ListBox1Click() {
  const int selected = platform::SelectedRow(ListBox1);
  if (selected < 0)
    return;
  CurrentPicture = Utf8(ListBox1->item(selected)->text());
  if (!LoadPreview())
    platform::Ui().ShowMessage(picture::kFailToOpen);
}

void TForm1::BtnBmpUPClick() {
  const int index = platform::SelectedRow(ListBox1);
  if (ListBox1->count() < 2 || index <= 0)
    return;
  MoveEntry(index, index - 1);
}

void TForm1::BtnBmpDownClick() {
  const int index = platform::SelectedRow(ListBox1);
  if (ListBox1->count() < 2 || index < 0 || index >= ListBox1->count() - 1)
    return;
  MoveEntry(index, index + 1);
}

void TForm1::MoveEntry(int from, int to) {
  // The selection moves with the entry; the current picture and the preview stay.
  const QSignalBlocker quiet(ListBox1);
  QListWidgetItem* item = ListBox1->takeItem(from);
  ListBox1->insertItem(to, item);
  platform::SelectRow(ListBox1, to);
}

void TForm1::BtnExitClick() {
  Timer1->stop();
  QThread::msleep(300);
  close();
}

std::optional<std::string> TForm1::ChooseResourceFile() {
  SaveConfirmed = false;
  const platform::SaveChoice choice =
      platform::Ui().SaveFile("*.bin", "Picture-", Text(PictureFolder));
  SaveConfirmed = choice.confirmed;
  if (!SaveConfirmed)
    return std::nullopt;
  auto path = platform::OutputPathFor(Utf8(choice.name));
  if (!path) {
    platform::Ui().ShowMessage(Text(path.error().text));
    return std::nullopt;
  }
  std::vector<std::string> inputs{CurrentPicture};
  for (int i = 0; i < ListBox1->count(); ++i)
    inputs.push_back(Utf8(ListBox1->item(i)->text()));
  if (auto refused = picture::RefuseRunOverInputs(*path, inputs); !refused) {
    platform::Ui().ShowMessage(Text(refused.error().text));
    return std::nullopt;
  }
  OutputPath = *path;
  platform::Ui().ShowMessage(picture::kStartToConvert);
  return OutputPath;
}

void TForm1::SetRunning(bool running) {
  // A run converts the entries it started with; while it lasts nothing may refill,
  // reorder or reselect the list under it, nor start another run.
  for (QWidget* control : std::initializer_list<QWidget*>{BtnInputPicture, BtnSConvert, BtnMConvert,
                                                          BtnBmpUP, BtnBmpDown, ListBox1})
    control->setEnabled(!running);
}

void TForm1::StartRun(std::vector<std::string> entries) {
  NextAddress = 0;
  run_entries_ = std::move(entries);
  run_.emplace(OutputPath, ConvertCount, platform::TextCodePage());
  SetRunning(true);
  Timer1->start(500);
}

void TForm1::AppendLog(const std::string& line) {
  Memo1->appendPlainText(Text(line));
}

void TForm1::BtnSConvertClick() {
  if (ListBox1->count() == 0) {
    platform::Ui().ShowMessage(picture::kPleaseInputPicture);
    return;
  }
  if (!ChooseResourceFile())
    return;
  ConvertIndex = 0;
  ConvertCount = 1;
  Memo1->clear();
  // The listing names the entry selected now, whose picture the preview shows.
  const int selected = platform::SelectedRow(ListBox1);
  StartRun({selected >= 0 ? Utf8(ListBox1->item(selected)->text()) : std::string()});
}

void TForm1::BtnMConvertClick() {
  if (ListBox1->count() == 0) {
    platform::Ui().ShowMessage(picture::kPleaseInputPicture);
    return;
  }
  if (!ChooseResourceFile())
    return;
  ConvertIndex = 0;
  ConvertCount = ListBox1->count();
  Memo1->clear();
  std::vector<std::string> entries;
  for (int i = 0; i < ListBox1->count(); ++i)
    entries.push_back(Utf8(ListBox1->item(i)->text()));
  platform::SelectRow(ListBox1, 0);
  CurrentPicture = entries.front();
  if (auto loaded = LoadPreview(); !loaded) {
    // Not guarded in the window's design: the error box shows the error's own text.
    platform::Ui().ShowMessage(Text(loaded.error().text));
    return;
  }
  StartRun(std::move(entries));
}

std::string TForm1::RunEntry(int index) const {
  if (index < 0 || index >= static_cast<int>(run_entries_.size()))
    return {};
  return run_entries_[static_cast<std::size_t>(index)];
}

void TForm1::PumpEvents(int percent) {
  ProgressBar1->setValue(percent);
  QCoreApplication::processEvents();
}

void TForm1::Timer1Timer() {
  Timer1->stop();
  if (!run_)
    return;
  EncodeBitmap = PreviewPicture;
  PictureWidth = EncodeBitmap.Width();
  PictureHeight = EncodeBitmap.Height();
  const std::string entry = RunEntry(run_->ConvertIndex());
  const std::size_t logged = run_->Log().size();
  picture::StepOutcome step = run_->ConvertCurrent(
      EncodeBitmap, PreviewKeyed, static_cast<picture::PictureKind>(CurrentKind), CurrentPicture,
      entry, ReadPictureSettings(), [this](int percent) { PumpEvents(percent); });
  if (platform::ProgramEnding())
    return;
  ItemSize = static_cast<int>(run_->ItemSize());
  NextAddress = static_cast<int>(run_->NextAddress());
  ConvertIndex = run_->ConvertIndex();
  for (std::size_t i = logged; i < run_->Log().size(); ++i)
    AppendLog(run_->Log()[i]);
  for (const platform::Message& message : step.messages)
    platform::Ui().ShowMessage(Text(message.text));
  if (step.stopped) {
    SetRunning(false);
    return;
  }
  ProgressBar1->setValue(100);

  if (run_->HasMore()) {
    platform::SelectRow(ListBox1, ConvertIndex);
    CurrentPicture = RunEntry(ConvertIndex);
    if (!LoadPreview()) {
      step = run_->FailOn(CurrentPicture);
      AppendLog(run_->Log().back());
      SetRunning(false);
      for (const platform::Message& message : step.messages)
        platform::Ui().ShowMessage(Text(message.text));
      return;
    }
    Timer1->start(50);
    return;
  }
  step = run_->Finish();
  SetRunning(false);
  for (const platform::Message& message : step.messages)
    platform::Ui().ShowMessage(Text(message.text));
}
