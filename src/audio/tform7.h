#pragma once
// TForm7 "WAV Tool": parses a WAV file, shows its header fields and converts its samples
// into a sound resource file with its listing. Created hidden at start; "Close" hides it
// and the loaded file and choices stay.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "audio/pcm_output.h"
#include "audio/wav_header.h"

class TForm7 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);

  // "WAV Message" group.
  QLineEdit* EditFileName = nullptr;
  QLineEdit* EditWavFilesSize = nullptr;
  QLineEdit* EditPCMFormat = nullptr;
  QLineEdit* EditChannels = nullptr;
  QLineEdit* EditSamplesPerSec = nullptr;
  QLineEdit* EditAvgBytesPerSec = nullptr;
  QLineEdit* EditBitsPerSample = nullptr;
  QLineEdit* EditDataSize = nullptr;

  // "BIN Message" group.
  QComboBox* ComboBoxChannel = nullptr;
  QComboBox* ComboBoxBitSample = nullptr;
  QComboBox* ComboBoxSpeed = nullptr;
  QLineEdit* EditBinDataSize = nullptr;

  QPushButton* Button1 = nullptr;  // "Input wav file"
  QPushButton* Button2 = nullptr;  // "Convert"
  QPushButton* Button3 = nullptr;  // "Close"

  // Window state.
  audio::WavInfo Wav;      // header values of the last parsed file
  std::string WavPath;     // the file they came from
  QString OpenDialogName;  // what the open dialog held when it was last closed
  int ChannelChoice = audio::kNoChannel;
  int BitChoice = audio::kEightBits;
  bool Converting = false;  // refuses every other operation while set
  std::string BinPath;      // the last sound resource written

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void ComboBoxChannelSelect(int index);
  void ComboBoxBitSampleSelect(int index);
  void ComboBoxSpeedSelect(int index);

 private:
  void BuildControls();
  void LoadWavFile(const QString& path);
  void ConvertAndSave();
  void ShowHeader();
  void ShowOutputSize();
  void SetChoicesEnabled(bool enabled);
  [[nodiscard]] audio::OutputChoice Choice() const;
};
