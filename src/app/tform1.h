#pragma once
// TForm1 "Dravick Tool V1.641": the picture converter and the launcher of the tool windows.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "picture/conversion_run.h"
#include "picture/working_bitmap.h"
#include "platform/radio_group.h"

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  // The tool windows in the order TForm2..TForm9, shown by the menu.
  void SetToolWindows(std::vector<QWidget*> windows);

  // Menu bar items.
  QAction* File1 = nullptr;
  QAction* Bootloader1 = nullptr;
  QAction* ICON1 = nullptr;
  QAction* Font1 = nullptr;
  QAction* BinFile1 = nullptr;
  QAction* GIFTool1 = nullptr;
  QAction* WAVTool1 = nullptr;
  QAction* Dravick1 = nullptr;
  QAction* Viewer1 = nullptr;

  // "Control" panel.
  QGroupBox* PanelControl = nullptr;
  QPushButton* BtnInputPicture = nullptr;
  QPushButton* BtnSConvert = nullptr;
  QPushButton* BtnMConvert = nullptr;
  QPushButton* BtnExit = nullptr;
  QPushButton* BtnBmpUP = nullptr;
  QPushButton* BtnBmpDown = nullptr;
  QComboBox* ComboBox1 = nullptr;
  platform::RadioGroup* RadioGroup1 = nullptr;
  platform::RadioGroup* RadioGroup2 = nullptr;
  QCheckBox* CheckBoxX = nullptr;
  QCheckBox* CheckBoxY = nullptr;
  QLabel* LabelAPNG = nullptr;
  QLineEdit* EditAPNG = nullptr;
  QCheckBox* CheckBoxNBin = nullptr;
  QCheckBox* CheckBoxARGB = nullptr;
  QComboBox* ComboBoxDither = nullptr;
  QLineEdit* EditThreshold = nullptr;  // "BW Threshold"; empty: only exact black is ink
  QCheckBox* CheckBoxPanel = nullptr;  // "Panel preview": the preview as the module shows it
  QPlainTextEdit* Memo1 = nullptr;

  // "Picture" panel.
  QGroupBox* PanelPicture = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  QLabel* Image1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  QTimer* Timer1 = nullptr;

  // Window state.
  bool SaveConfirmed = false;
  picture::WorkingBitmap EncodeBitmap;
  std::string PictureFolder;
  std::string OutputPath;
  int ConvertIndex = 0;
  int ConvertCount = 1;
  int ItemSize = 0;
  int NextAddress = 0;
  int PictureWidth = 0;
  int PictureHeight = 0;
  int CurrentKind = 0;
  std::string CurrentPicture;

  // The picture the preview shows (rotated), which a tick encodes, and whether alpha
  // keying made its black pixels the transparent ones.
  picture::WorkingBitmap PreviewPicture;
  bool PreviewKeyed = false;

  // The settings the controls hold now.
  [[nodiscard]] picture::PictureSettings ReadPictureSettings() const;

  void File1Click();
  void Bootloader1Click();
  void ICON1Click();
  void Font1Click();
  void BinFile1Click();
  void GIFTool1Click();
  void WAVTool1Click();
  void Dravick1Click();
  void Viewer1Click();
  void BtnInputPictureClick();
  void BtnSConvertClick();
  void BtnMConvertClick();
  void BtnExitClick();
  void BtnBmpUPClick();
  void BtnBmpDownClick();
  void ListBox1Click();
  void Timer1Timer();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void ShowTool(int index);
  // Loads the current picture into the preview (rotation applied); false on failure
  // with the error's text.
  platform::Result<platform::Ok> LoadPreview();
  void ShowPreview();
  // A setting that only the module's view of the preview shows changed.
  void PanelSettingChanged();
  void ScanFolder(const std::string& chosen_path);
  void SetRunning(bool running);
  void StartRun(std::vector<std::string> entries);
  // The run's own copy of entry `index`; empty outside it.
  [[nodiscard]] std::string RunEntry(int index) const;
  void MoveEntry(int from, int to);
  void AppendLog(const std::string& line);
  std::optional<std::string> ChooseResourceFile();
  void PumpEvents(int percent);

  std::vector<QWidget*> tool_windows_;
  std::optional<picture::PictureRun> run_;
  std::vector<std::string> run_entries_;  // the list as the run started
};
