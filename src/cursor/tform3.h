#pragma once
// TForm3 "Cursor tool": a pixel editor for the module's 32 x 32 two-bit cursor with a
// dot, line, ellipse and rectangle in four pen colours; "Export" lists and saves the
// cursor file, "Import" reads a listing back from the "Data" area. Created hidden at
// start; "Close" hides it and the picture stays.

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "cursor/cursor_image.h"
#include "cursor/cursor_raster.h"

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;  // the zoomed grid

  // Pen panels: codes 0..3 and the pen colour.
  QFrame* Panel1 = nullptr;
  QFrame* Panel2 = nullptr;
  QFrame* Panel3 = nullptr;
  QFrame* Panel4 = nullptr;
  QFrame* Panel5 = nullptr;

  // Tool icons: rectangle, ellipse, line, dot, and the chosen tool's beside "Pen".
  QLabel* Image2 = nullptr;
  QLabel* Image3 = nullptr;
  QLabel* Image4 = nullptr;
  QLabel* Image5 = nullptr;
  QLabel* Image6 = nullptr;

  QPlainTextEdit* Memo1 = nullptr;  // "Data"
  QPushButton* Button1 = nullptr;   // "Export"
  QPushButton* Button2 = nullptr;   // "Import"
  QPushButton* Button3 = nullptr;   // "Clear"
  QPushButton* Button4 = nullptr;   // "Close"

  // Window state.
  cursor::CursorImage Picture;
  cursor::Code PenCode = cursor::kCode0;
  cursor::Tool Tool = cursor::kDotTool;
  bool Dragging = false;
  QPoint StartPixel;
  QPoint EndPixel;
  QImage WorkRaster;    // the picture with the shape being dragged
  QImage BackupRaster;  // the picture as the drag found it

  void Image1MouseDown(int X, int Y);
  void Image1MouseMove(int X, int Y);
  void Image1MouseUp(int X, int Y);
  void Panel1Click();
  void Panel2Click();
  void Panel3Click();
  void Panel4Click();
  void Image2Click();
  void Image3Click();
  void Image4Click();
  void Image5Click();
  void ExportCursor();
  void ImportCursor();
  void Button3Click();
  void Button4Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ChoosePen(cursor::Code code);
  void ChooseTool(cursor::Tool tool);
  void DrawDrag(int X, int Y);
  void ShowPicture();
};
