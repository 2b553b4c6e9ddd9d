#include "font/charset_codes.h"

#include <array>

#include "platform/chinese_forms.h"

namespace font {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return 0;
}

char CharAt(std::string_view text, std::size_t i) {
  return i < text.size() ? text[i] : '\0';
}

std::u16string DecodePair(std::uint8_t lead, std::uint8_t trail, platform::CodePage page) {
  const std::array<std::uint8_t, 2> bytes{lead, trail};
  return platform::DecodeCodePage(bytes, page);
}

// A BIG5 code drawn through GBK: the character, or "?" where GBK lacks it.
std::u16string Big5ThroughGbk(std::uint8_t lead, std::uint8_t trail) {
  const std::u16string text = DecodePair(lead, trail, platform::CodePage::Big5_950);
  std::string gbk = platform::EncodeCodePage(text, platform::CodePage::Gbk936);
  if (gbk.size() > 2)
    gbk.resize(2);
  return platform::DecodeCodePage({reinterpret_cast<const std::uint8_t*>(gbk.data()), gbk.size()},
                                  platform::CodePage::Gbk936);
}

}  // namespace

CharacterSet SetForIndex(int combo_index, bool traditional_locale) {
  if (traditional_locale)
    return CharacterSet::Big5;
  switch (combo_index) {
    case 1:
      return CharacterSet::Big5;
    case 2:
      return CharacterSet::Gb2312Traditional;
    case 3:
      return CharacterSet::Gbk;
    case 4:
      return CharacterSet::Unicode;
    default:
      return CharacterSet::Gb2312;
  }
}

std::u16string DecodeCharsetCode(CharacterSet set, std::uint8_t lead, std::uint8_t trail,
                                 bool traditional_locale) {
  switch (set) {
    case CharacterSet::Gb2312:
      return platform::ToSimplifiedForms(DecodePair(lead, trail, platform::CodePage::Gbk936));
    case CharacterSet::Gb2312Traditional:
      return platform::ToTraditionalForms(DecodePair(lead, trail, platform::CodePage::Gbk936));
    case CharacterSet::Gbk:
      return DecodePair(lead, trail, platform::CodePage::Gbk936);
    case CharacterSet::Big5:
      if (traditional_locale)
        return DecodePair(lead, trail, platform::CodePage::Big5_950);
      return Big5ThroughGbk(lead, trail);
    case CharacterSet::Unicode:
      return std::u16string(1, static_cast<char16_t>((lead << 8) | trail));
  }
  return {};
}

std::uint8_t HexPairToByte(char first, char second) {
  return static_cast<std::uint8_t>(HexValue(first) * 16 + HexValue(second));
}

char NormaliseHexDigit(char character) {
  if ((character >= '0' && character <= '9') || (character >= 'A' && character <= 'F'))
    return character;
  if (character >= 'a' && character <= 'f')
    return static_cast<char>(character - 'a' + 'A');
  return '0';
}

std::string NormaliseHexField(std::string_view code_page_text) {
  std::string field(4, '0');
  for (std::size_t i = 0; i < 4 && i < code_page_text.size(); ++i)
    field[i] = NormaliseHexDigit(code_page_text[i]);
  return field;
}

std::uint16_t HexFieldValue(std::string_view text) {
  return static_cast<std::uint16_t>(HexPairToByte(CharAt(text, 0), CharAt(text, 1)) * 256 +
                                    HexPairToByte(CharAt(text, 2), CharAt(text, 3)));
}

std::string Hex4(std::uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 12], kDigits[(value >> 8) & 15], kDigits[(value >> 4) & 15],
          kDigits[value & 15]};
}

std::u16string ReferenceText(CharacterSet set, bool traditional_locale) {
  if (traditional_locale)
    return DecodeCharsetCode(CharacterSet::Big5, 0xB5, 0xD8, true);  // 華
  switch (set) {
    case CharacterSet::Unicode:
      return u"\uAC00";
    case CharacterSet::Big5:
      return DecodeCharsetCode(CharacterSet::Big5, 0xB5, 0xD8);
    default:
      return DecodeCharsetCode(set, 0xBB, 0xAA);  // 华, or its traditional form
  }
}

std::u16string TestCodeText(CharacterSet set, std::string_view code_field,
                            bool traditional_locale) {
  const std::uint8_t lead = HexPairToByte(CharAt(code_field, 0), CharAt(code_field, 1));
  const std::uint8_t trail = HexPairToByte(CharAt(code_field, 2), CharAt(code_field, 3));
  if (traditional_locale)
    return DecodeCharsetCode(CharacterSet::Big5, lead, trail, true);
  if (set == CharacterSet::Unicode)
    set = CharacterSet::Gb2312;
  return DecodeCharsetCode(set, lead, trail);
}

std::u16string TextTestText(std::u16string_view text, platform::CodePage page) {
  const std::string bytes = platform::EncodeCodePage(text, page);
  return platform::DecodeCodePage(
      {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, page);
}

std::u16string UnicodeTestText(std::string_view code_field) {
  return std::u16string(1, static_cast<char16_t>(HexFieldValue(code_field)));
}

}  // namespace font
