#pragma once
// TForm9 "Viewer": a flash image or one resource file shown as the module will read it.
// Lists the entries; draws the selected picture, glyph sheet or cursor at an integer
// zoom; plays a GIF's frames; shows the header's module info and command directory;
// "Save As" writes the selected entry as `dravick extract` writes it. Created hidden;
// the main window's menu item "Viewer" shows it.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "viewer/image_contents.h"
#include "viewer/pixel_view.h"

class TForm9 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm9(QWidget* parent = nullptr);

  QPushButton* ButtonOpen = nullptr;
  QPushButton* ButtonSaveAs = nullptr;
  QPushButton* ButtonPlay = nullptr;  // "Play", "Stop" while playing (Alt+P, Alt+T)
  QPushButton* ButtonClose = nullptr;
  QCheckBox* CheckBoxBGR = nullptr;   // pictures were stored in BGR order
  QCheckBox* CheckBoxARGB = nullptr;  // two-byte pictures are four-bit ARGB
  QCheckBox* CheckBoxNand = nullptr;  // rows carry NAND padding; unchecked: as the file says
  QSpinBox* SpinZoom = nullptr;
  QListWidget* ListEntries = nullptr;
  QPlainTextEdit* MemoInfo = nullptr;  // module info, command directory, problems
  QScrollArea* ScrollView = nullptr;
  viewer::PixelView* View = nullptr;
  QLabel* LabelStatus = nullptr;  // the selected entry, its problem, the glyph under the mouse
  QTimer* TimerPlay = nullptr;

  // What the open file holds; nothing before a file was opened.
  std::optional<viewer::ImageContents> Contents;
  std::string ViewerFolder;  // folder of the last file opened or saved

  // Opens `path` as the dialog would; false (with the message shown) when it cannot.
  bool OpenPath(const std::string& path);

  void ButtonOpenClick();
  void ButtonSaveAsClick();
  void ButtonPlayClick();
  void ButtonCloseClick();
  void ListEntriesChange(int row);
  void OptionsChange();
  void SpinZoomChange(int zoom);
  void TimerPlayTimer();
  void ViewHover(int x, int y);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildControls();
  void FillList();
  void ShowEntry(int row);
  void StopPlaying();
  [[nodiscard]] const viewer::Entry* SelectedEntry() const;
  [[nodiscard]] viewer::ReadOptions ReadOptions() const;

  std::optional<viewer::GlyphSheet> sheet_;  // the glyph sheet shown, for the hover
  QString entry_status_;                     // what the status says when not hovering
};
