#include "builder/module_info.h"

#include <string_view>
#include <vector>

#include "builder/command_number.h"

namespace builder {
namespace {

enum class ValueForm {
  Packed,     // two decimal digits into the two nibbles
  Word,       // index into the key's word list
  Decimal,    // big-endian low bytes
  McuBit,     // 8, 16, 32
  ColorDepth  // 8, 24, anything else
};

struct ModuleKey {
  const char* name;
  ValueForm form;
  int width;
  std::vector<std::string_view> words;
};

// In record order: each key's field follows the previous one.
const std::vector<ModuleKey>& ModuleKeys() {
  static const std::vector<ModuleKey> keys = {
      {"PCVersion", ValueForm::Packed, 1, {}},
      {"COMPort", ValueForm::Word, 1, {"UART", "SPI", "I2C"}},
      {"Baudrate", ValueForm::Decimal, 3, {}},
      {"PCBVersion", ValueForm::Packed, 1, {}},
      {"MCUBit", ValueForm::McuBit, 1, {}},
      {"MCUType", ValueForm::Word, 1, {"Norvane", "STM", "STC"}},
      {"MrlType", ValueForm::Word, 1, {"MX-1", "MX-2", "MX-3", "MX-4", "MX-5"}},
      {"MrlIF", ValueForm::Word, 1, {"8080-8", "8080-16", "SPI", "I2C"}},
      {"XSIZE", ValueForm::Decimal, 2, {}},
      {"YSIZE", ValueForm::Decimal, 2, {}},
      {"VBPD", ValueForm::Decimal, 2, {}},
      {"VFPD", ValueForm::Decimal, 2, {}},
      {"VSPW", ValueForm::Decimal, 2, {}},
      {"HBPD", ValueForm::Decimal, 2, {}},
      {"HFPD", ValueForm::Decimal, 2, {}},
      {"HSPW", ValueForm::Decimal, 2, {}},
      {"PCLKRISING", ValueForm::Decimal, 1, {}},
      {"HSYNCPolarity", ValueForm::Decimal, 1, {}},
      {"VSYNCPolarity", ValueForm::Decimal, 1, {}},
      {"DEPolarity", ValueForm::Decimal, 1, {}},
      {"RGBSequence", ValueForm::Word, 1, {"RGB", "RBG", "GRB", "GBR", "BRG", "BGR"}},
      {"ColorDepth", ValueForm::ColorDepth, 1, {}},
      {"FlashType", ValueForm::Word, 1, {"NOR", "NAND"}},
      {"FlashSize", ValueForm::Decimal, 2, {}},
  };
  return keys;
}

constexpr std::size_t kFewestInfoLines = 11;

// The part after the first ":" (the whole line without one) up to the first "/".
std::string_view ValueText(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon != std::string_view::npos) {
    line.remove_prefix(colon + 1);
  }
  return line.substr(0, line.find('/'));
}

std::string KeepBytes(std::string_view text, unsigned char low, unsigned char high) {
  std::string kept;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= low && byte <= high) {
      kept.push_back(c);
    }
  }
  return kept;
}

std::string Digits(std::string_view text) {
  return KeepBytes(text, '0', '9');
}

std::uint32_t WordIndex(std::string_view text, const std::vector<std::string_view>& words) {
  const std::string word = KeepBytes(text, 0x21, 0x7F);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == word) {
      return static_cast<std::uint32_t>(i);
    }
  }
  return 0;
}

std::uint8_t PackedVersion(std::string_view text) {
  const std::string digits = Digits(text);
  if (digits.size() != 2) {
    return 0x01;
  }
  return static_cast<std::uint8_t>((digits[0] - '0') * 16 + (digits[1] - '0'));
}

std::uint32_t McuBitCode(std::uint32_t bits) {
  switch (bits) {
    case 16:
      return 1;
    case 32:
      return 2;
    default:
      return 0;
  }
}

std::uint32_t ColorDepthCode(std::uint32_t depth) {
  switch (depth) {
    case 8:
      return 0;
    case 24:
      return 2;
    default:
      return 1;
  }
}

// A decimal value: its digits wherever they stand ("115 200" and "115,200" read 115200).
platform::Result<std::uint32_t> DecimalValue(const ModuleKey& key, std::string_view text,
                                             std::size_t line_index) {
  auto value = ReadDecimal(Digits(text));
  if (!value) {
    // Name what the user wrote (printable ASCII only: messages are UTF-8).
    return platform::Error(NotAnIntegerText(KeepBytes(text, 0x21, 0x7E)) + " (" + key.name +
                           " in command list line " + std::to_string(line_index + 1) + ")");
  }
  return value;
}

platform::Result<std::uint32_t> FieldValue(const ModuleKey& key, std::string_view line,
                                           std::size_t line_index) {
  const std::string_view text = ValueText(line);
  switch (key.form) {
    case ValueForm::Packed:
      return std::uint32_t{PackedVersion(text)};
    case ValueForm::Word:
      return WordIndex(text, key.words);
    case ValueForm::Decimal:
      return DecimalValue(key, text, line_index);
    case ValueForm::McuBit: {
      auto bits = DecimalValue(key, text, line_index);
      return bits ? platform::Result<std::uint32_t>(McuBitCode(*bits)) : bits;
    }
    case ValueForm::ColorDepth: {
      auto depth = DecimalValue(key, text, line_index);
      return depth ? platform::Result<std::uint32_t>(ColorDepthCode(*depth)) : depth;
    }
  }
  return std::uint32_t{0};
}

// Index of the first line from `cursor` on that contains `key`, or the list's size.
std::size_t FindLine(const CommandList& lines, std::size_t cursor, std::string_view key) {
  while (cursor < lines.size() && lines[cursor].find(key) == std::string::npos) {
    ++cursor;
  }
  return cursor;
}

}  // namespace

platform::Result<std::array<std::uint8_t, kModuleInfoKeyBytes>> ParseModuleInfo(
    const CommandList& lines) {
  if (lines.size() < kFewestInfoLines) {
    return platform::Error(kModuleInfoError);
  }
  std::size_t cursor = FindLine(lines, 0, "[INFO]");
  if (cursor == lines.size()) {
    return platform::Error(kModuleInfoError);
  }
  ++cursor;
  std::array<std::uint8_t, kModuleInfoKeyBytes> record{};
  std::size_t offset = 0;
  for (const ModuleKey& key : ModuleKeys()) {
    const std::size_t found = FindLine(lines, cursor, key.name);
    if (found == lines.size()) {
      return platform::Error(kModuleInfoError);
    }
    auto value = FieldValue(key, lines[found], found);
    if (!value) {
      return value.error();
    }
    for (int i = key.width - 1; i >= 0; --i) {
      record[offset++] = static_cast<std::uint8_t>(*value >> (8 * i));
    }
    cursor = found + 1;
  }
  return record;
}

}  // namespace builder
