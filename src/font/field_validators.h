#pragma once
// The font window's code and gray-limit fields keep their shape as the user types,
// without fighting the keystroke: the caret and the selection stay where the user put
// them, and what needs a complete entry (padding, leading zeros) waits for Enter or
// for the focus to leave the field.

#include <QValidator>

#include "platform/code_page.h"

namespace font {

// Four hexadecimal digits ("Test Code", "UniCode", "Start Code", "End Code"). A typed
// letter is upper-cased and anything else becomes '0' (each byte of a character in the
// text code page one '0'); the field holds at most four; a shorter entry is padded with
// '0' once complete ("ab" -> "AB00").
class HexCodeValidator final : public QValidator {
 public:
  HexCodeValidator(platform::CodePage page, QObject* parent) : QValidator(parent), page_(page) {}
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 private:
  platform::CodePage page_;
};

// The gray limit: digits only, never above 255 (a larger number becomes 255 as it is
// typed); leading zeros go once the entry is complete ("0200" -> "200"). An emptied
// field stays empty until the user types again.
class GrayLimitValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace font
