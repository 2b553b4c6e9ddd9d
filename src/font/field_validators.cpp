#include "font/field_validators.h"

#include <algorithm>

#include "font/charset_codes.h"
#include "font/glyph_cell.h"
#include "platform/chinese_forms.h"

namespace font {

namespace {
constexpr int kHexDigits = 4;
constexpr int kLargestLimit = 255;
}  // namespace

QValidator::State HexCodeValidator::validate(QString& input, int& pos) const {
  QString digits;
  int caret = 0;
  for (int i = 0; i < input.size(); ++i) {
    const char16_t unit = input[i].unicode();
    const std::string bytes = platform::EncodeCodePage(std::u16string(1, unit), page_);
    for (const char byte : bytes)
      digits += QChar(NormaliseHexDigit(byte));
    if (i < pos)
      caret = static_cast<int>(digits.size());
  }
  digits.truncate(kHexDigits);
  input = digits;
  pos = std::min(caret, kHexDigits);
  return input.size() == kHexDigits ? Acceptable : Intermediate;
}

void HexCodeValidator::fixup(QString& input) const {
  input = QString::fromStdString(NormaliseHexField(input.toStdString()));
}

QValidator::State GrayLimitValidator::validate(QString& input, int& pos) const {
  if (input.isEmpty())
    return Intermediate;
  for (const QChar c : input) {
    if (!c.isDigit() || c.unicode() > '9')
      return Invalid;
  }
  bool ok = false;
  const long long value = input.toLongLong(&ok);
  if (!ok || value > kLargestLimit) {
    input = QString::number(kLargestLimit);
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
  }
  return input.size() > 1 && input.startsWith('0') ? Intermediate : Acceptable;
}

void GrayLimitValidator::fixup(QString& input) const {
  if (const auto normal = NormaliseGrayLimit(input.toStdString()))
    input = QString::fromStdString(*normal);
}

}  // namespace font
