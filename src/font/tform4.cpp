#include "font/tform4.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QThread>

#include "font/charset_library.h"
#include "font/field_validators.h"
#include "font/font_file.h"
#include "font/glyph_test.h"
#include "font/messages.h"
#include "picture/preview_image.h"
#include "platform/chinese_forms.h"
#include "platform/dialogs.h"
#include "platform/program_end.h"
#include "platform/window_placement.h"

namespace {

std::u16string ToUtf16(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

QString FromUtf16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TForm4");
  setWindowTitle(QString::fromUtf8("Creat Chinese Font Lib "));
  BuildControls();
  resize(720, 600);
  platform::CentreOnScreen(this);

  traditionalLocale = platform::TraditionalLocaleFromEnvironment();
  if (traditionalLocale) {
    ComboBoxCode->setCurrentIndex(1);  // BIG5, decoded directly
    ComboBoxCode->setEnabled(false);
  }
  Edit1->setText(traditionalLocale ? "B5D8" : "BBAA");
  OpenFont(FontChoice);
  RefreshPreview();

  connect(ButtonMakeBin, &QPushButton::clicked, this, &TForm4::ButtonMakeBinClick);
  connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
  connect(ButtonTest, &QPushButton::clicked, this, &TForm4::ButtonTestClick);
  connect(ButtonCHINPUT, &QPushButton::clicked, this, &TForm4::ButtonCHINPUTClick);
  connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm4::ScrollBar1Change);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm4::ScrollBar2Change);
  connect(ButtonSFont, &QPushButton::clicked, this, &TForm4::ButtonSFontClick);
  connect(ButtonClose, &QPushButton::clicked, this, &TForm4::ButtonCloseClick);
  connect(CheckBoxFallback, &QCheckBox::clicked, this, &TForm4::CheckBoxFallbackClick);
  // The code fields and the gray limit keep their shape while the user types in them.
  for (QLineEdit* field : {Edit1, Edit3, EditUNIS, EditUNIE}) {
    field->setMaxLength(4);
    field->setValidator(new font::HexCodeValidator(TextCodePage(), field));
  }
  EditCTLimit->setValidator(new font::GrayLimitValidator(EditCTLimit));
}

void TForm4::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TForm4::FormShow() {
  for (QLineEdit* field : {EditCTLimit, EditFW, EditFH}) {
    if (field->validator() == nullptr)
      field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
  }
}

font::GlyphSettings TForm4::ReadGlyphSettings() const {
  font::GlyphSettings settings;
  settings.width_text = EditFW->text().toStdString();
  settings.height_text = EditFH->text().toStdString();
  settings.gray_limit_text = EditCTLimit->text().toStdString();
  settings.x_offset = XOffset;
  settings.y_offset = YOffset;
  settings.rotation = RadioGroup2->ItemIndex();
  settings.reverse_x = CheckBoxX->isChecked();
  settings.reverse_y = CheckBoxY->isChecked();
  return settings;
}

font::CharacterSet TForm4::SelectedSet() const {
  return font::SetForIndex(ComboBoxCode->currentIndex(), traditionalLocale);
}

platform::CodePage TForm4::TextCodePage() const {
  return traditionalLocale ? platform::CodePage::Big5_950 : platform::CodePage::Gbk936;
}

std::string TForm4::CodeFieldText(const QLineEdit* field) const {
  return platform::EncodeCodePage(ToUtf16(field->text()), TextCodePage());
}

bool TForm4::OpenFont(const platform::FontChoice& choice) {
  auto opened = platform::GlyphRasteriser::Open(choice);
  if (!opened) {
    platform::Ui().ShowMessage(QString::fromStdString(opened.error().text));
    return false;
  }
  rasteriser_ = std::move(*opened);
  rasteriser_->SetFallback(CheckBoxFallback->isChecked());
  FontChoice = choice;
  const QString face = QString::fromStdString(rasteriser_->FaceName());
  FontDialog1Font = QFont(face);
  FontDialog1Font.setPixelSize(std::max(1, choice.pixel_height));
  FontDialog1Font.setBold(choice.bold);
  FontDialog1Font.setItalic(choice.italic);
  FontDialog1Font.setUnderline(choice.underline);
  FontDialog1Font.setStrikeOut(choice.strike_out);
  const QString asked = QString::fromStdString(choice.family);
  LabelFace->setText(asked == face ? face : asked + QString::fromUtf8(" → ") + face);
  return true;
}

void TForm4::ShowGlyphPreview(const font::GlyphView& view) {
  const font::GlyphPreviews& previews = view.previews;
  const std::pair<QLabel*, const picture::WorkingBitmap*> images[] = {{Image2, &previews.system},
                                                                      {Image1, &previews.user}};
  for (const auto& [image, bitmap] : images) {
    image->setPixmap(QPixmap::fromImage(picture::PreviewImage(*bitmap)));
    const QWidget* box = image->parentWidget();
    image->setGeometry((box->width() - bitmap->Width()) / 2, (box->height() - bitmap->Height()) / 2,
                       bitmap->Width(), bitmap->Height());
  }
  LabelGlyphFace->setText(QString::fromStdString(view.faces_text));
}

void TForm4::AppendLog(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    Memo1->appendPlainText(QString::fromStdString(line));
}

void TForm4::CheckBoxFallbackClick() {
  if (rasteriser_)
    rasteriser_->SetFallback(CheckBoxFallback->isChecked());
  RefreshPreview();
}

void TForm4::RefreshPreview() {
  if (!rasteriser_)
    return;
  const auto view = font::PreviewGlyph(
      *rasteriser_, font::ReferenceText(SelectedSet(), traditionalLocale), ReadGlyphSettings());
  if (!view) {
    platform::Ui().ShowMessage(QString::fromStdString(view.error().text));
    return;
  }
  GlyphRaster = view->raster;
  ShowGlyphPreview(*view);
}

void TForm4::ShowGlyphBytes(const std::u16string& text) {
  if (!rasteriser_)
    return;
  const auto shown = font::ShowGlyphBytes(*rasteriser_, text, ReadGlyphSettings());
  if (!shown) {
    platform::Ui().ShowMessage(QString::fromStdString(shown.error().text));
    return;
  }
  GlyphRaster = shown->view.raster;
  ShowGlyphPreview(shown->view);
  Memo1->setPlainText(QString::fromStdString(shown->listing));
}

void TForm4::ButtonTestClick() {
  ShowGlyphBytes(font::TestCodeText(SelectedSet(), CodeFieldText(Edit1), traditionalLocale));
}

void TForm4::ButtonCHINPUTClick() {
  ShowGlyphBytes(font::TextTestText(ToUtf16(Edit2->text()), TextCodePage()));
}

void TForm4::Button2Click() {
  ShowGlyphBytes(font::UnicodeTestText(CodeFieldText(Edit3)));
}

void TForm4::ScrollBar1Change(int position) {
  // One pixel per change, however far the bar moved.
  XOffset += position > ScrollBar1Position ? 1 : -1;
  ScrollBar1Position = position;
  RefreshPreview();
}

void TForm4::ScrollBar2Change(int position) {
  YOffset += position > ScrollBar2Position ? 1 : -1;
  ScrollBar2Position = position;
  RefreshPreview();
}

void TForm4::ButtonSFontClick() {
  const std::optional<QFont> chosen = platform::Ui().ChooseFont(FontDialog1Font);
  if (chosen) {
    platform::FontChoice choice;
    choice.family = chosen->family().toStdString();
    choice.pixel_height =
        chosen->pixelSize() > 0 ? chosen->pixelSize() : qRound(chosen->pointSizeF() * 96.0 / 72.0);
    choice.bold = chosen->bold();
    choice.italic = chosen->italic();
    choice.underline = chosen->underline();
    choice.strike_out = chosen->strikeOut();
    OpenFont(choice);
  }
  RefreshPreview();
}

void TForm4::ButtonCloseClick() {
  StopRequest = true;
  QThread::msleep(500);
  hide();
}

font::RunControl TForm4::WindowRunControl() {
  font::RunControl control;
  control.progress = [this](int percent) {
    ProgressBar1->setValue(percent);
    QCoreApplication::processEvents();
  };
  control.pump_events = [] { QCoreApplication::processEvents(); };
  control.stop_requested = [this] { return StopRequest || platform::ProgramEnding(); };
  // What the user changes during a run applies from the next glyph; the cell size and
  // the rotation are locked while it lasts (SetRunning).
  control.current_settings = [this] { return ReadGlyphSettings(); };
  control.current_drawer = [this] { return rasteriser_.get(); };
  return control;
}

void TForm4::SetRunning(bool running) {
  // One run at a time, and its glyph size stays fixed while it lasts.
  Running = running;
  for (QWidget* control :
       std::initializer_list<QWidget*>{ButtonMakeBin, Button1, EditFW, EditFH, RadioGroup2})
    control->setEnabled(!running);
}

void TForm4::SaveFontFile(const platform::Bytes& bytes, const QString& completion) {
  const platform::SaveChoice choice =
      platform::Ui().SaveFile(font::kFontFileFilter, font::kProposedFontName, QString());
  const auto written =
      font::WriteFontFile(bytes, choice.confirmed ? choice.name.toStdString() : std::string());
  ProgressBar1->setValue(100);
  QCoreApplication::processEvents();
  platform::Ui().ShowMessage(written ? completion : QString::fromStdString(written.error().text));
}

void TForm4::ButtonMakeBinClick() {
  if (Running || !rasteriser_)
    return;
  font::LibraryRequest request;
  request.traditional_locale = traditionalLocale;
  request.set = SelectedSet();
  request.start_text = CodeFieldText(EditUNIS);
  request.end_text = CodeFieldText(EditUNIE);
  request.glyph = ReadGlyphSettings();
  StopRequest = false;
  SetRunning(true);
  const std::shared_ptr<platform::GlyphRasteriser> rasteriser = rasteriser_;
  const font::LibraryOutcome outcome =
      font::BuildCharsetLibrary(request, *rasteriser, WindowRunControl());
  AppendLog(outcome.log_lines);
  AppendLog(outcome.coverage_lines);
  if (outcome.error)
    platform::Ui().ShowMessage(QString::fromStdString(outcome.error->text));
  else if (!outcome.stopped)
    SaveFontFile(outcome.library, QString::fromStdString(outcome.completion));
  SetRunning(false);
}

void TForm4::Button1Click() {
  if (Running || !rasteriser_)
    return;
  const std::optional<QString> name = platform::Ui().OpenFile(QString(), QString());
  if (!name || name->isEmpty())
    return;
  if (auto error = font::LoadStringText(name->toStdString(), TextCodePage(), StringText)) {
    platform::Ui().ShowMessage(QString::fromStdString(error->text));
    return;
  }
  QStringList lines;
  for (const std::u16string& line : StringText.lines)
    lines << FromUtf16(line);
  Memo2->setPlainText(lines.join('\n'));

  StopRequest = false;
  SetRunning(true);
  const std::shared_ptr<platform::GlyphRasteriser> rasteriser = rasteriser_;
  const font::StringFontOutcome outcome = font::BuildStringFont(
      StringText.lines, TextCodePage(), ReadGlyphSettings(), *rasteriser, WindowRunControl());
  AppendLog(outcome.coverage_lines);
  if (outcome.error)
    platform::Ui().ShowMessage(QString::fromStdString(outcome.error->text));
  else if (!outcome.stopped)
    SaveFontFile(outcome.file, font::kStringFontOk);
  SetRunning(false);
}
