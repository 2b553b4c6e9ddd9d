#include "cursor/tform3.h"

#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

#include "cursor/cursor_file.h"
#include "cursor/cursor_grid.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/output_name.h"
#include "platform/window_placement.h"

namespace {

QFrame* PenPanel(const char* name, const QColor& colour, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Box);
  panel->setFixedSize(40, 20);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  return panel;
}

QLabel* IconLabel(const char* name, cursor::Tool tool, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setPixmap(QPixmap::fromImage(cursor::ToolIcon(tool)));
  label->setFixedSize(cursor::kIconWidth, cursor::kIconHeight);
  return label;
}

// The "Data" area holds the 16 listing lines of 16 bytes each ("0xAA," sixteen times):
// fixed-pitch, unwrapped and just wide enough for a line, so every line reads alike.
void SizeToListing(QPlainTextEdit* memo) {
  memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  const QFontMetrics metrics(memo->font());
  const int margins =
      2 * (memo->frameWidth() + static_cast<int>(memo->document()->documentMargin()));
  const int width = metrics.horizontalAdvance(QString("0xAA,").repeated(16)) + margins +
                    memo->verticalScrollBar()->sizeHint().width();
  // One line more than the listing, for the caret after its last line.
  const int height = metrics.lineSpacing() * 17 + margins;
  memo->setMinimumSize(width, height);
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm3");
  setWindowTitle("Cursor tool");
  WorkRaster = QImage(cursor::kCursorSize, cursor::kCursorSize, QImage::Format_RGB32);
  BackupRaster = WorkRaster;
  BuildControls();
  connect(Button1, &QPushButton::clicked, this, &TForm3::ExportCursor);
  connect(Button2, &QPushButton::clicked, this, &TForm3::ImportCursor);
  connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm3::Button4Click);
  for (QWidget* clickable :
       {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Panel2),
        static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4), static_cast<QWidget*>(Image2),
        static_cast<QWidget*>(Image3), static_cast<QWidget*>(Image4),
        static_cast<QWidget*>(Image5)}) {
    clickable->installEventFilter(this);
  }
  ShowPicture();
  adjustSize();
  platform::CentreOnScreen(this);
}

void TForm3::BuildControls() {
  auto* window = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  window->addLayout(columns);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setFixedSize(cursor::kGridSize, cursor::kGridSize);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  columns->addWidget(Image1, 0, Qt::AlignTop);

  auto* side = new QVBoxLayout;
  auto* pens = new QGridLayout;
  Panel1 = PenPanel("Panel1", cursor::QColourOfCode(cursor::kCode0), this);
  Panel2 = PenPanel("Panel2", cursor::QColourOfCode(cursor::kCode1), this);
  Panel3 = PenPanel("Panel3", cursor::QColourOfCode(cursor::kCodeWhite), this);
  Panel4 = PenPanel("Panel4", cursor::QColourOfCode(cursor::kCodeBlack), this);
  Panel5 = PenPanel("Panel5", cursor::QColourOfCode(cursor::kCode0), this);
  const std::pair<const char*, QFrame*> panels[] = {{"Color 0:  ", Panel1},
                                                    {"Color 1:  ", Panel2},
                                                    {"Black Color:  ", Panel3},
                                                    {"INV Black Color:", Panel4},
                                                    {"Pen Color:  ", Panel5}};
  int row = 0;
  for (const auto& [caption, panel] : panels) {
    pens->addWidget(new QLabel(caption, this), row, 0);
    pens->addWidget(panel, row++, 1);
  }
  Image2 = IconLabel("Image2", cursor::kRectangleTool, this);
  Image3 = IconLabel("Image3", cursor::kEllipseTool, this);
  Image4 = IconLabel("Image4", cursor::kLineTool, this);
  Image5 = IconLabel("Image5", cursor::kDotTool, this);
  Image6 = IconLabel("Image6", cursor::kDotTool, this);
  const std::pair<QString, QLabel*> tools[] = {{QString::fromUtf8("Dot："), Image5},
                                               {"Line:    ", Image4},
                                               {"Circle:   ", Image3},
                                               {QString::fromUtf8("Rectang：  "), Image2},
                                               {QString::fromUtf8("Pen：   "), Image6}};
  for (const auto& [caption, icon] : tools) {
    pens->addWidget(new QLabel(caption, this), row, 0);
    pens->addWidget(icon, row++, 1);
  }
  side->addLayout(pens);
  side->addStretch(1);
  columns->addLayout(side);

  auto* data = new QGroupBox("Data", this);
  auto* data_layout = new QVBoxLayout(data);
  Memo1 = new QPlainTextEdit(data);
  Memo1->setObjectName("Memo1");
  SizeToListing(Memo1);
  data_layout->addWidget(Memo1);
  window->addWidget(data, 1);

  auto* buttons = new QHBoxLayout;
  Button1 = Button("Button1", "Export", this);
  Button2 = Button("Button2", "Import", this);
  Button3 = Button("Button3", "Clear", this);
  Button4 = Button("Button4", "Close", this);
  buttons->addStretch(1);
  for (QPushButton* button : {Button1, Button2, Button3, Button4})
    buttons->addWidget(button);
  window->addLayout(buttons);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease) {
    return QWidget::eventFilter(watched, event);
  }
  const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
  if (watched == Image1) {
    if (type == QEvent::MouseButtonPress)
      Image1MouseDown(at.x(), at.y());
    else if (type == QEvent::MouseMove)
      Image1MouseMove(at.x(), at.y());
    else
      Image1MouseUp(at.x(), at.y());
    return true;
  }
  if (type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  if (watched == Panel1)
    Panel1Click();
  else if (watched == Panel2)
    Panel2Click();
  else if (watched == Panel3)
    Panel3Click();
  else if (watched == Panel4)
    Panel4Click();
  else if (watched == Image2)
    Image2Click();
  else if (watched == Image3)
    Image3Click();
  else if (watched == Image4)
    Image4Click();
  else if (watched == Image5)
    Image5Click();
  return true;
}

void TForm3::ShowPicture() {
  Image1->setPixmap(QPixmap::fromImage(cursor::GridImage(Picture)));
}

void TForm3::Image1MouseDown(int X, int Y) {
  const QPoint pixel(cursor::PixelOfGrid(X), cursor::PixelOfGrid(Y));
  if (Tool == cursor::kDotTool) {
    if (cursor::CursorImage::Contains(pixel.x(), pixel.y())) {
      Picture.Set(pixel.x(), pixel.y(), PenCode);
      ShowPicture();
    }
    return;
  }
  StartPixel = pixel;
  WorkRaster = cursor::RasterOf(Picture);
  BackupRaster = WorkRaster;
  Dragging = true;
}

void TForm3::Image1MouseMove(int X, int Y) {
  if (Dragging)
    DrawDrag(X, Y);
}

void TForm3::Image1MouseUp(int X, int Y) {
  if (!Dragging)
    return;
  DrawDrag(X, Y);
  Dragging = false;
}

// The shape follows the mouse: drawn afresh on the picture as the drag found it.
void TForm3::DrawDrag(int X, int Y) {
  EndPixel = QPoint(cursor::PixelOfGrid(X), cursor::PixelOfGrid(Y));
  WorkRaster = BackupRaster.copy();
  cursor::DrawShape(WorkRaster, Tool, StartPixel, EndPixel, cursor::QColourOfCode(PenCode));
  Picture = cursor::PictureOf(WorkRaster);
  ShowPicture();
}

void TForm3::ChoosePen(cursor::Code code) {
  PenCode = code;
  QPalette palette = Panel5->palette();
  palette.setColor(QPalette::Window, cursor::QColourOfCode(code));
  Panel5->setPalette(palette);
}

void TForm3::Panel1Click() {
  ChoosePen(cursor::kCode0);
}
void TForm3::Panel2Click() {
  ChoosePen(cursor::kCode1);
}
void TForm3::Panel3Click() {
  ChoosePen(cursor::kCodeWhite);
}
void TForm3::Panel4Click() {
  ChoosePen(cursor::kCodeBlack);
}

void TForm3::ChooseTool(cursor::Tool tool) {
  Tool = tool;
  Image6->setPixmap(QPixmap::fromImage(cursor::ToolIcon(tool)));
}

void TForm3::Image2Click() {
  ChooseTool(cursor::kRectangleTool);
}
void TForm3::Image3Click() {
  ChooseTool(cursor::kEllipseTool);
}
void TForm3::Image4Click() {
  ChooseTool(cursor::kLineTool);
}
void TForm3::Image5Click() {
  ChooseTool(cursor::kDotTool);
}

void TForm3::ExportCursor() {
  const cursor::CursorBytes bytes = cursor::CursorFileBytes(Picture);
  QStringList lines;
  for (const std::string& line : cursor::CursorListingLines(bytes))
    lines << QString::fromStdString(line);
  Memo1->setPlainText(lines.join('\n'));
  const platform::SaveChoice save =
      platform::Ui().SaveFile("*.bin", "Cursor-", QDir::currentPath());
  if (!save.confirmed) {
    platform::Ui().ShowMessage(platform::kErrorFileName);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const platform::Message saved = cursor::SaveCursorFile(save.name.toStdString(), bytes);
  platform::Ui().ShowMessage(QString::fromStdString(saved.text));
}

void TForm3::ImportCursor() {
  const platform::CodePage page = platform::TextCodePage();
  std::vector<std::string> lines;
  for (const QString& line : Memo1->toPlainText().split('\n'))
    lines.push_back(platform::EncodeText(line.toStdString(), page));
  Picture = cursor::CursorFromBytes(cursor::ImportHexListing(lines));
  ShowPicture();
}

void TForm3::Button3Click() {
  Picture = cursor::CursorImage();
  ShowPicture();
}

void TForm3::Button4Click() {
  hide();
}
