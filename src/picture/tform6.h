#pragma once
// TForm6 "GIF Tool": turns GIF animations into a GIF resource file, one GIF per timer
// tick. Created hidden at start; "Close" hides it and its state stays.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "picture/gif_run.h"
#include "picture/working_bitmap.h"
#include "platform/message.h"
#include "platform/radio_group.h"

class TForm6 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm6(QWidget* parent = nullptr);

  // "Ctrl" panel.
  QGroupBox* PanelCtrl = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* BtnSConvert = nullptr;
  QPushButton* BtnAConvert = nullptr;
  QComboBox* ComboBox1 = nullptr;
  platform::RadioGroup* RadioGroup1 = nullptr;
  platform::RadioGroup* RadioGroup2 = nullptr;
  QCheckBox* CheckBoxX = nullptr;
  QCheckBox* CheckBoxY = nullptr;
  QCheckBox* CheckBoxNBin = nullptr;
  QComboBox* ComboBoxDither = nullptr;
  QCheckBox* CheckBoxPanel = nullptr;  // "Panel preview": the frame as the module shows it
  QPushButton* Button2 = nullptr;
  QListWidget* ListBox1 = nullptr;

  // "GIF Picture" panel.
  QGroupBox* PanelPicture = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  QLabel* Image1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  QTimer* Timer1 = nullptr;

  // Window state.
  bool SaveConfirmed = false;
  picture::WorkingBitmap FrameCanvas;
  picture::WorkingBitmap FrameBitmap;
  std::string GifFolder;
  std::string OutputPath;
  int ConvertIndex = 0;
  int ConvertCount = 0;
  int ItemSize = 0;
  int NextAddress = 0;
  int PictureWidth = 0;
  int PictureHeight = 0;

  // The settings the controls hold now.
  [[nodiscard]] picture::GifSettings ReadGifSettings() const;

  void Button1Click();
  void BtnSConvertClick();
  void BtnAConvertClick();
  void Button2Click();
  void ListBox1Click();
  void Timer1Timer();
  void SaveDialog1CanClose();
  void FormResize();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildCtrlPanel();
  QWidget* BuildPicturePanel();
  // Draws frame 0 of the GIF on FrameCanvas and shows it rotated.
  platform::Result<platform::Ok> Preview(const std::string& path);
  // Shows FrameCanvas rotated, as the chosen form and dither will show it.
  void ShowFrame();
  // A setting that only the module's view of the frame shows changed.
  void PanelSettingChanged();
  std::string EntryPath(int index) const;
  bool ChooseResourceFile();
  void StartRun();
  void SetRunning(bool running);
  void ShowNewLogLines();
  void ShowMessages(const picture::StepOutcome& step);
  void PumpEvents(int percent);

  std::optional<picture::GifRun> run_;
  std::size_t shown_log_lines_ = 0;
};
