#pragma once
// The character sets of the font libraries: which codes they hold, in which order, and
// which text is drawn for each code. Also the hexadecimal helpers of the code fields.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace font {

// ComboBoxCode of the font window, by item index.
enum class CharacterSet { Gb2312 = 0, Big5 = 1, Gb2312Traditional = 2, Gbk = 3, Unicode = 4 };

// The set a run makes: under the traditional locale always BIG5; otherwise by index,
// with anything unknown taken as GB2312.
CharacterSet SetForIndex(int combo_index, bool traditional_locale);

// The text drawn for a code. Under the traditional locale BIG5 codes are decoded
// with code page 950 as they are; otherwise a BIG5 character GBK lacks becomes "?".
// For the Unicode set the code is one UTF-16 unit, (lead << 8) | trail.
std::u16string DecodeCharsetCode(CharacterSet set, std::uint8_t lead, std::uint8_t trail,
                                 bool traditional_locale = false);

// value(a) * 16 + value(b), where anything but a hexadecimal digit counts 0.
std::uint8_t HexPairToByte(char first, char second);

// '0'..'9' and 'A'..'F' as they are, 'a'..'f' upper-cased, anything else '0'.
char NormaliseHexDigit(char character);

// The key-release rule of the code fields: the first four bytes of the field's
// code-page text through NormaliseHexDigit, '0' for missing ones ("1g" -> "1000").
std::string NormaliseHexField(std::string_view code_page_text);

// HexPairToByte(c0, c1) * 256 + HexPairToByte(c2, c3); missing characters count 0.
std::uint16_t HexFieldValue(std::string_view code_page_text);

// Upper-case hexadecimal, zero-padded to four digits.
std::string Hex4(std::uint16_t value);

// The character the window previews for the selected set.
std::u16string ReferenceText(CharacterSet set, bool traditional_locale);

// "Test Code": the first four characters of the code field as lead and trail byte,
// decoded for the set; the Unicode entry decodes like GB2312.
std::u16string TestCodeText(CharacterSet set, std::string_view code_field, bool traditional_locale);

// "测  试" test: the text through the text code page and back, so that only what the
// page holds survives and the rest shows as "?".
std::u16string TextTestText(std::u16string_view text, platform::CodePage page);

// "UniCode" test: the code field as one UTF-16 unit.
std::u16string UnicodeTestText(std::string_view code_field);

}  // namespace font
