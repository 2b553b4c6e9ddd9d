#pragma once
// TForm4 "Creat Chinese Font Lib ": font libraries, string fonts and glyph tests. Created
// hidden at start; "Close" stops a run and hides it, and its state stays.

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "font/charset_codes.h"
#include "font/glyph_cell.h"
#include "font/glyph_preview.h"
#include "font/glyph_test.h"
#include "font/run_control.h"
#include "font/string_font.h"
#include "picture/working_bitmap.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"
#include "platform/radio_group.h"

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  // Glyph cell settings.
  QPushButton* ButtonSFont = nullptr;
  QLabel* LabelFace = nullptr;  // the face really used
  QLineEdit* EditFW = nullptr;
  QLineEdit* EditFH = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QLineEdit* EditCTLimit = nullptr;
  platform::RadioGroup* RadioGroup2 = nullptr;
  QCheckBox* CheckBoxX = nullptr;
  QCheckBox* CheckBoxY = nullptr;
  QCheckBox* CheckBoxFallback = nullptr;  // "Font fallback": other faces draw what it lacks

  // Previews.
  QGroupBox* GroupBoxSyst = nullptr;
  QLabel* Image2 = nullptr;
  QGroupBox* GroupBoxUser = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* LabelGlyphFace = nullptr;  // the faces that drew the glyph shown

  // Libraries and string fonts.
  QComboBox* ComboBoxCode = nullptr;
  QLineEdit* EditUNIS = nullptr;
  QLineEdit* EditUNIE = nullptr;
  QCheckBox* CheckBoxWhole = nullptr;
  QPushButton* ButtonMakeBin = nullptr;
  QPushButton* Button1 = nullptr;
  QPlainTextEdit* Memo2 = nullptr;

  // Code tests.
  QLineEdit* Edit1 = nullptr;
  QPushButton* ButtonTest = nullptr;
  QLineEdit* Edit2 = nullptr;
  QPushButton* ButtonCHINPUT = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* Button2 = nullptr;

  QPlainTextEdit* Memo1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* ButtonClose = nullptr;

  // Window state.
  QFont FontDialog1Font;  // what the font chooser starts from
  platform::FontChoice FontChoice;
  int XOffset = 2;
  int YOffset = 1;
  int ScrollBar1Position = 50;
  int ScrollBar2Position = 50;
  bool StopRequest = false;
  bool traditionalLocale = false;
  bool Running = false;  // a library or string font run is under way
  picture::WorkingBitmap GlyphRaster{16, 16};
  font::StringText StringText;  // the text Memo2 shows

  void ButtonMakeBinClick();
  void Button1Click();
  void ButtonTestClick();
  void ButtonCHINPUTClick();
  void Button2Click();
  void ScrollBar1Change(int position);
  void ScrollBar2Change(int position);
  void ButtonSFontClick();
  void ButtonCloseClick();
  void CheckBoxFallbackClick();
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  [[nodiscard]] font::GlyphSettings ReadGlyphSettings() const;
  [[nodiscard]] font::CharacterSet SelectedSet() const;
  [[nodiscard]] platform::CodePage TextCodePage() const;
  [[nodiscard]] std::string CodeFieldText(const QLineEdit* field) const;
  [[nodiscard]] font::RunControl WindowRunControl();
  bool OpenFont(const platform::FontChoice& choice);
  void RefreshPreview();
  void ShowGlyphPreview(const font::GlyphView& view);
  void AppendLog(const std::vector<std::string>& lines);
  void ShowGlyphBytes(const std::u16string& text);
  void SetRunning(bool running);
  void SaveFontFile(const platform::Bytes& bytes, const QString& completion);

  std::shared_ptr<platform::GlyphRasteriser> rasteriser_;
};
