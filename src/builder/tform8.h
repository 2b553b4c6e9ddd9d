#pragma once
// TForm8 "Dravick Tool": the flash image builder. Created hidden at start; "Close" hides
// it and its lists, remembered folders and "NandFlash Bin" choice stay.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <string>

#include "builder/builder_types.h"

class TForm8 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm8(QWidget* parent = nullptr);

  // "Bin Files"
  QGroupBox* GroupBox1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* BtnAddAll = nullptr;
  QPushButton* BtnRemove = nullptr;
  QPushButton* BtnUP = nullptr;
  QPushButton* BtnDN = nullptr;
  QPushButton* BtnClose = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* BtnQuillet = nullptr;
  QCheckBox* CheckBoxNFBIN = nullptr;

  // "Command List"
  QGroupBox* GroupBox2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QListWidget* ListBox2 = nullptr;
  QPushButton* BtnInsert = nullptr;
  QPushButton* BtnRemCmd = nullptr;
  QPushButton* BtnUpCmd = nullptr;
  QPushButton* BtnDnCmd = nullptr;
  QPushButton* BtnInput = nullptr;
  QPushButton* BtnSave = nullptr;

  QStatusBar* StatusBar1 = nullptr;

  // Remembered folders, each with its trailing separator; empty until first set.
  std::string BinFolder;
  std::string ProjectFolder;
  std::string SaveFolder;
  std::string OutputFolder;

  void BtnAddAllClick();
  void BtnRemoveClick();
  void BtnUPClick();
  void BtnDNClick();
  void BtnCloseClick();
  void Button1Click();
  void BtnQuilletClick();
  void Edit1KeyDown(int key);
  void ListBox2Click();
  void BtnInsertClick();
  void BtnRemCmdClick();
  void BtnUpCmdClick();
  void BtnDnCmdClick();
  void BtnInputClick();
  void BtnSaveClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectHandlers();
  // Opens the project dialog in `folder` and replaces the command list with the file.
  void LoadProjectFile(const std::string& folder, bool remember_folder);
  // The command list as code-page lines, as the project file holds them.
  builder::CommandList CommandLines() const;
  void ShowSelectedCommand();
};
