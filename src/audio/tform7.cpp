#include "audio/tform7.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "audio/sound_resource.h"
#include "audio/wav_messages.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/output_name.h"
#include "platform/window_placement.h"

namespace {

const QString kOpenFilter = "(*.wav)|*.wav|WAV Files(*.wav)|*.wav";

QLineEdit* ReadOnlyField(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit("0", parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  return edit;
}

QComboBox* Choices(const char* name, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->addItems(items);
  return box;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QString Number(std::uint64_t value) {
  return QString::number(value);
}

// Shows the core's messages one box after another.
void ShowMessages(const std::vector<platform::Message>& messages) {
  for (const platform::Message& message : messages)
    platform::Ui().ShowMessage(QString::fromStdString(message.text));
}

}  // namespace

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm7");
  setWindowTitle("WAV Tool");
  BuildControls();
  connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
  connect(ComboBoxChannel, &QComboBox::activated, this, &TForm7::ComboBoxChannelSelect);
  connect(ComboBoxBitSample, &QComboBox::activated, this, &TForm7::ComboBoxBitSampleSelect);
  connect(ComboBoxSpeed, &QComboBox::activated, this, &TForm7::ComboBoxSpeedSelect);
  adjustSize();
  platform::CentreOnScreen(this);
}

void TForm7::BuildControls() {
  auto* layout = new QVBoxLayout(this);

  EditFileName = new QLineEdit(this);
  EditFileName->setObjectName("EditFileName");
  // Room for a usual path; a longer one shows its end, where the file's name is.
  EditFileName->setMinimumWidth(EditFileName->fontMetrics().averageCharWidth() * 64);
  layout->addWidget(EditFileName);

  auto* wav_group = new QGroupBox("WAV Message", this);
  auto* wav_grid = new QGridLayout(wav_group);
  const auto add_field = [&](int row, const char* caption, QLineEdit*& field, const char* name) {
    field = ReadOnlyField(name, wav_group);
    wav_grid->addWidget(new QLabel(caption, wav_group), row, 0);
    wav_grid->addWidget(field, row, 1);
  };
  add_field(0, "Wav file size:", EditWavFilesSize, "EditWavFilesSize");
  add_field(1, "PCM Format Tag:", EditPCMFormat, "EditPCMFormat");
  add_field(2, "Sound Channels:", EditChannels, "EditChannels");
  add_field(3, "SmaplesPerSec:", EditSamplesPerSec, "EditSamplesPerSec");
  add_field(4, "AvgBytesPerSec:", EditAvgBytesPerSec, "EditAvgBytesPerSec");
  add_field(5, "BitsPerSample:", EditBitsPerSample, "EditBitsPerSample");
  add_field(6, "Data Size:", EditDataSize, "EditDataSize");
  layout->addWidget(wav_group);

  auto* bin_group = new QGroupBox("BIN Message", this);
  auto* bin_grid = new QGridLayout(bin_group);
  ComboBoxChannel =
      Choices("ComboBoxChannel", {"Left Channel", "Right Channel", "Two Channel"}, bin_group);
  // Until a file is loaded the list shows its first item's text with no item selected.
  ComboBoxChannel->setEditable(true);
  ComboBoxChannel->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxChannel->lineEdit()->setReadOnly(true);
  ComboBoxChannel->setCurrentIndex(-1);
  ComboBoxChannel->setEditText("Left Channel");
  ComboBoxBitSample = Choices("ComboBoxBitSample", {"8bits", "16bits", "??bits"}, bin_group);
  ComboBoxSpeed = Choices("ComboBoxSpeed", {"1:1", "1:2", "1:4", "1:8", "1:16"}, bin_group);
  EditBinDataSize = ReadOnlyField("EditBinDataSize", bin_group);
  bin_grid->addWidget(new QLabel("Sound Channels:", bin_group), 0, 0);
  bin_grid->addWidget(ComboBoxChannel, 0, 1);
  bin_grid->addWidget(new QLabel("BitsPerSample:", bin_group), 1, 0);
  bin_grid->addWidget(ComboBoxBitSample, 1, 1);
  bin_grid->addWidget(new QLabel("Speed:", bin_group), 2, 0);
  bin_grid->addWidget(ComboBoxSpeed, 2, 1);
  bin_grid->addWidget(new QLabel("BinDataSize:", bin_group), 3, 0);
  bin_grid->addWidget(EditBinDataSize, 3, 1);
  layout->addWidget(bin_group);

  auto* buttons = new QHBoxLayout;
  Button1 = Button("Button1", "Input wav file", this);
  Button2 = Button("Button2", "Convert", this);
  Button3 = Button("Button3", "Close", this);
  Button2->setEnabled(false);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  layout->addLayout(buttons);
}

audio::OutputChoice TForm7::Choice() const {
  return {ChannelChoice, BitChoice, ComboBoxSpeed->currentIndex()};
}

void TForm7::SetChoicesEnabled(bool enabled) {
  Button2->setEnabled(enabled);
  ComboBoxChannel->setEnabled(enabled);
  ComboBoxBitSample->setEnabled(enabled);
}

void TForm7::Button1Click() {
  if (Converting)
    return;
  // A cancelled dialog still holds the name chosen before, which is loaded again.
  if (const auto chosen = platform::Ui().OpenFile(kOpenFilter, QDir::currentPath()))
    OpenDialogName = *chosen;
  if (!OpenDialogName.isEmpty() && OpenDialogName.contains('.'))
    LoadWavFile(OpenDialogName);
}

void TForm7::LoadWavFile(const QString& path) {
  EditFileName->setText(path);
  EditFileName->setCursorPosition(static_cast<int>(path.size()));
  EditFileName->setToolTip(path);
  WavPath = path.toStdString();
  const auto info = audio::LoadWav(WavPath);
  if (!info) {
    // The header values stay on show, but they no longer describe the remembered file.
    Button2->setEnabled(false);
    platform::Ui().ShowMessage(QString::fromStdString(info.error().text));
    return;
  }
  Wav = *info;
  SetChoicesEnabled(false);
  ShowHeader();
  ShowMessages(Wav.messages);
  if (Wav.Convertible())
    SetChoicesEnabled(true);
}

void TForm7::ShowHeader() {
  EditWavFilesSize->setText(Number(Wav.file_size));
  EditPCMFormat->setText(Number(Wav.format_tag));
  EditChannels->setText(Number(Wav.channels));
  EditSamplesPerSec->setText(Number(Wav.samples_per_sec));
  EditAvgBytesPerSec->setText(Number(Wav.avg_bytes_per_sec));
  EditBitsPerSample->setText(Number(Wav.bits_per_sample));
  if (Wav.channel_choice != audio::kNoChannel) {
    ChannelChoice = Wav.channel_choice;
    ComboBoxChannel->setCurrentIndex(ChannelChoice);
  }
  if (Wav.bit_choice != audio::kNoBits) {
    BitChoice = Wav.bit_choice;
    ComboBoxBitSample->setCurrentIndex(BitChoice);
  }
  EditDataSize->setText(Number(Wav.data_size));
  EditBinDataSize->setText(Number(Wav.data_size));
}

void TForm7::ShowOutputSize() {
  const audio::OutputSize size = audio::ComputeOutputSize(Wav, Choice());
  if (size.warning)
    platform::Ui().ShowMessage(QString::fromStdString(*size.warning));
  EditBinDataSize->setText(Number(size.bytes));
}

void TForm7::ComboBoxChannelSelect(int index) {
  if (Converting)
    return;
  ChannelChoice = index;
  ShowOutputSize();
}

void TForm7::ComboBoxBitSampleSelect(int index) {
  if (Converting)
    return;
  BitChoice = index;
  ShowOutputSize();
}

void TForm7::ComboBoxSpeedSelect(int) {
  if (Converting)
    return;
  ShowOutputSize();
}

void TForm7::Button2Click() {
  if (Converting || !Wav.Convertible())
    return;
  // The converter pumps window events; until it ends, nothing else may start.
  Converting = true;
  Button1->setEnabled(false);
  ComboBoxSpeed->setEnabled(false);
  SetChoicesEnabled(false);
  ConvertAndSave();
  Button1->setEnabled(true);
  ComboBoxSpeed->setEnabled(true);
  SetChoicesEnabled(true);
  Converting = false;
}

void TForm7::ConvertAndSave() {
  const audio::OutputChoice choice = Choice();
  const auto samples =
      audio::ConvertWavFile(WavPath, Wav, choice, [](int) { QCoreApplication::processEvents(); });
  EditBinDataSize->setText(Number(audio::ComputeOutputSize(Wav, choice).bytes));
  if (!samples) {
    platform::Ui().ShowMessage(QString::fromStdString(samples.error().text));
    return;
  }
  const platform::SaveChoice save = platform::Ui().SaveFile("*.bin", "Wav-", QDir::currentPath());
  if (!save.confirmed)
    return;
  const auto path = platform::OutputPathFor(save.name.toStdString());
  if (!path) {
    platform::Ui().ShowMessage(QString::fromStdString(path.error().text));
    return;
  }
  platform::Ui().ShowMessage(audio::kStartToConvert);
  const auto listing = audio::SoundListingLines(
      {EditFileName->text().toStdString(), choice, Wav.samples_per_sec, samples->size()});
  const platform::Message written =
      audio::WriteSoundResource(*path, *samples, listing, platform::TextCodePage(), WavPath);
  if (written.kind == platform::MessageKind::Done)
    BinPath = *path;
  platform::Ui().ShowMessage(QString::fromStdString(written.text));
}

void TForm7::Button3Click() {
  hide();
}
