#include "builder/tform8.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalBlocker>
#include <QThread>
#include <filesystem>

#include "builder/build_messages.h"
#include "builder/flash_image.h"
#include "builder/make_bin.h"
#include "builder/project_file.h"
#include "builder/resource_kinds.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/list_selection.h"
#include "platform/output_name.h"
#include "platform/paths.h"
#include "platform/qt_text.h"
#include "platform/window_placement.h"

namespace {
using platform::Text;
using platform::Utf8;

void Show(const std::string& text) {
  platform::Ui().ShowMessage(Text(text));
}
void Show(const platform::Message& message) {
  Show(message.text);
}

// A remembered folder, or the current directory while none is set.
QString StartFolder(const std::string& remembered) {
  if (!remembered.empty())
    return Text(remembered);
  return Text(platform::PathToUtf8(std::filesystem::current_path()) + platform::kSeparator);
}

// Everything up to and including the last separator; nothing for a bare name.
std::string FolderPart(const std::string& path) {
  const std::size_t separator = path.rfind(platform::kSeparator);
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Exchanges two entries' texts, so the selection stays where it was.
void ExchangeItems(QListWidget* list, int a, int b) {
  const QString text = list->item(a)->text();
  list->item(a)->setText(list->item(b)->text());
  list->item(b)->setText(text);
}

// True when an exchange took place.
bool MoveUp(QListWidget* list) {
  const int selected = platform::SelectedRow(list);
  if (list->count() < 2 || selected <= 0)
    return false;
  ExchangeItems(list, selected, selected - 1);
  return true;
}

bool MoveDown(QListWidget* list) {
  const int selected = platform::SelectedRow(list);
  if (list->count() < 2 || selected < 0 || selected >= list->count() - 1)
    return false;
  ExchangeItems(list, selected, selected + 1);
  return true;
}

constexpr const char* kBinFilter = "*.bin|*.bin";
constexpr const char* kProjectFilter = "*.ini|*.ini";
constexpr const char* kDebugTool = "Quillet_V1.6.exe";
constexpr unsigned long kPauseMs = 50;

}  // namespace

TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm8");
  setWindowTitle("Dravick Tool");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  BuildControls();
  ConnectHandlers();
  platform::OpenMaximised(this);
}

void TForm8::ConnectHandlers() {
  connect(BtnAddAll, &QPushButton::clicked, this, &TForm8::BtnAddAllClick);
  connect(BtnRemove, &QPushButton::clicked, this, &TForm8::BtnRemoveClick);
  connect(BtnUP, &QPushButton::clicked, this, &TForm8::BtnUPClick);
  connect(BtnDN, &QPushButton::clicked, this, &TForm8::BtnDNClick);
  connect(BtnClose, &QPushButton::clicked, this, &TForm8::BtnCloseClick);
  connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
  connect(BtnQuillet, &QPushButton::clicked, this, &TForm8::BtnQuilletClick);
  platform::OnEntryChosen(ListBox2, [this] { ListBox2Click(); });
  connect(BtnInsert, &QPushButton::clicked, this, &TForm8::BtnInsertClick);
  connect(BtnRemCmd, &QPushButton::clicked, this, &TForm8::BtnRemCmdClick);
  connect(BtnUpCmd, &QPushButton::clicked, this, &TForm8::BtnUpCmdClick);
  connect(BtnDnCmd, &QPushButton::clicked, this, &TForm8::BtnDnCmdClick);
  connect(BtnInput, &QPushButton::clicked, this, &TForm8::BtnInputClick);
  connect(BtnSave, &QPushButton::clicked, this, &TForm8::BtnSaveClick);
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
      Edit1KeyDown(key);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm8::BtnAddAllClick() {
  const std::optional<QString> chosen = platform::Ui().OpenFile(kBinFilter, StartFolder(BinFolder));
  if (!chosen || chosen->isEmpty() || chosen->contains("*.bin"))
    return;
  BinFolder = FolderPart(Utf8(*chosen));
  std::error_code error;
  if (!std::filesystem::is_directory(platform::PathFromUtf8(BinFolder), error)) {
    Show(builder::kFailToOpenFile);
    return;
  }
  ListBox1->clear();
  for (const std::string& name : builder::ListBinFolder(BinFolder))
    ListBox1->addItem(Text(name));
  LoadProjectFile(BinFolder, false);
}

void TForm8::BtnRemoveClick() {
  const int selected = platform::SelectedRow(ListBox1);
  if (ListBox1->count() >= 2 && selected > 0)
    platform::DeleteRow(ListBox1, selected);
}

void TForm8::BtnUPClick() {
  MoveUp(ListBox1);
}

void TForm8::BtnDNClick() {
  MoveDown(ListBox1);
}

void TForm8::BtnCloseClick() {
  hide();
}

void TForm8::Button1Click() {
  builder::ResourceSet resources;
  for (int i = 0; i < ListBox1->count(); ++i)
    resources.names.push_back(Utf8(ListBox1->item(i)->text()));
  resources.folder = BinFolder;
  resources.header_size = builder::HeaderSizeFor(CheckBoxNFBIN->isChecked());
  auto build = builder::PrepareBuild(resources, CommandLines(), builder::BuildTimeNow(),
                                     [](const platform::Message& message) { Show(message); });
  if (!build)
    return Show(build.error());

  const platform::SaveChoice info_choice =
      platform::Ui().SaveFile("", "UserInfo", StartFolder(OutputFolder));
  if (!info_choice.confirmed)
    return;
  auto info_paths = builder::UserInfoPathsFor(Utf8(info_choice.name));
  if (!info_paths)
    return Show(info_paths.error());
  OutputFolder = FolderPart(info_paths->header);
  if (auto refused = builder::RefuseBuildOverInputs(*info_paths, {}, *build); !refused)
    return Show(refused.error());
  auto info = builder::WriteUserInfo(*info_paths, *build, platform::TextCodePage());
  if (!info)
    return Show(info.error());

  const platform::SaveChoice flash_choice =
      platform::Ui().SaveFile(kBinFilter, "Dravick_Flash", StartFolder(OutputFolder));
  if (!flash_choice.confirmed)
    return;
  auto flash_path = platform::OutputPathFor(Utf8(flash_choice.name));
  if (!flash_path)
    return Show(flash_path.error());
  if (auto refused = builder::RefuseBuildOverInputs({}, *flash_path, *build); !refused)
    return Show(refused.error());
  auto flash = builder::WriteFlashImage(*flash_path, *build, [] { QThread::msleep(kPauseMs); });
  Show(flash ? std::string(builder::kOk) : flash.error().text);
}

void TForm8::BtnQuilletClick() {
  // The current folder first, then the usual program search; a missing tool shows nothing.
  const QString local = QDir::current().absoluteFilePath(kDebugTool);
  QProcess::startDetached(QFileInfo::exists(local) ? local : QString(kDebugTool), {});
}

void TForm8::Edit1KeyDown(int key) {
  if (key == Qt::Key_Tab) {
    Show(builder::kTabKey);
    return;
  }
  const int selected = platform::SelectedRow(ListBox2);
  if (ListBox2->count() > 1 && selected >= 0) {
    ListBox2->item(selected)->setText(Edit1->text());
    platform::SelectRow(ListBox2, selected);
  }
}

void TForm8::ListBox2Click() {
  const int selected = platform::SelectedRow(ListBox2);
  if (selected < 0)
    return Show(builder::kFailToOpenFile);
  Edit1->setText(ListBox2->item(selected)->text());
}

void TForm8::BtnInsertClick() {
  const int selected = platform::SelectedRow(ListBox2);
  if (ListBox2->count() < 2 || selected < 1)
    return;
  // The new line, which the editor holds, is the one selected afterwards.
  const QSignalBlocker quiet(ListBox2);
  ListBox2->insertItem(selected, Edit1->text());
  platform::SelectRow(ListBox2, selected);
}

void TForm8::BtnRemCmdClick() {
  if (ListBox2->count() < 2)
    return;
  const int selected = platform::SelectedRow(ListBox2);
  if (selected > 0)
    platform::DeleteRow(ListBox2, selected);
  // The line now at that index is selected and copied into the editor; after the last
  // line nothing is selected, so Enter cannot write the editor over another line.
  if (selected >= 0 && selected < ListBox2->count())
    Edit1->setText(ListBox2->item(selected)->text());
}

void TForm8::BtnUpCmdClick() {
  if (MoveUp(ListBox2))
    ShowSelectedCommand();
}

void TForm8::BtnDnCmdClick() {
  if (MoveDown(ListBox2))
    ShowSelectedCommand();
}

void TForm8::ShowSelectedCommand() {
  // The selection stays at its index while the lines move under it: the editor follows,
  // so Enter never writes one command's text over its neighbour.
  if (const int selected = platform::SelectedRow(ListBox2); selected >= 0)
    Edit1->setText(ListBox2->item(selected)->text());
}

void TForm8::BtnInputClick() {
  Edit1->clear();
  LoadProjectFile(ProjectFolder, true);
}

void TForm8::LoadProjectFile(const std::string& folder, bool remember_folder) {
  const std::optional<QString> chosen =
      platform::Ui().OpenFile(kProjectFilter, StartFolder(folder));
  if (!chosen || !builder::IsProjectFileChoice(Utf8(*chosen)))
    return;
  const std::string path = Utf8(*chosen);
  if (remember_folder)
    ProjectFolder = FolderPart(path);
  const auto commands = builder::ReadProjectFile(path);
  if (!commands)
    return Show(commands.error().text);
  const platform::CodePage page = platform::TextCodePage();
  ListBox2->clear();
  for (const std::string& line : *commands)
    ListBox2->addItem(Text(platform::DecodeText(line, page)));
}

void TForm8::BtnSaveClick() {
  const std::vector<std::uint8_t> bytes = builder::SaveProjectLines(CommandLines());
  const platform::SaveChoice choice =
      platform::Ui().SaveFile(kProjectFilter, builder::kProjectPattern, StartFolder(SaveFolder));
  if (!choice.confirmed)
    return;
  if (choice.name.isEmpty())
    return Show(platform::kErrorFileName);
  if (choice.name.contains(builder::kProjectPattern))
    return;
  auto path = platform::OutputPathFor(Utf8(choice.name), ".ini");
  SaveFolder = FolderPart(*path);
  if (!platform::WriteFileAtomically(*path, bytes))
    Show(builder::kCreateFileError);
}

builder::CommandList TForm8::CommandLines() const {
  const platform::CodePage page = platform::TextCodePage();
  builder::CommandList lines;
  for (int i = 0; i < ListBox2->count(); ++i)
    lines.push_back(platform::EncodeText(Utf8(ListBox2->item(i)->text()), page));
  return lines;
}
