// The module info record back into its "[INFO]" keys, for `dravick inspect`.
#include <array>
#include <cstdio>
#include <vector>

#include "builder/header_bytes.h"
#include "builder/image_inspect.h"

namespace builder {

namespace {

enum class Form { Packed, Decimal, Word };

struct KeyField {
  const char* key;
  std::size_t at;
  int width;
  Form form;
  std::vector<const char*> words;
};

const std::vector<KeyField>& KeyFields() {
  static const std::vector<KeyField> fields{
      {"PCVersion", 0x00, 1, Form::Packed, {}},
      {"COMPort", 0x01, 1, Form::Word, {"UART", "SPI", "I2C"}},
      {"Baudrate", 0x02, 3, Form::Decimal, {}},
      {"PCBVersion", 0x05, 1, Form::Packed, {}},
      {"MCUBit", 0x06, 1, Form::Word, {"8", "16", "32"}},
      {"MCUType", 0x07, 1, Form::Word, {"Norvane", "STM", "STC"}},
      {"MrlType", 0x08, 1, Form::Word, {"MX-1", "MX-2", "MX-3", "MX-4", "MX-5"}},
      {"MrlIF", 0x09, 1, Form::Word, {"8080-8", "8080-16", "SPI", "I2C"}},
      {"XSIZE", 0x0A, 2, Form::Decimal, {}},
      {"YSIZE", 0x0C, 2, Form::Decimal, {}},
      {"VBPD", 0x0E, 2, Form::Decimal, {}},
      {"VFPD", 0x10, 2, Form::Decimal, {}},
      {"VSPW", 0x12, 2, Form::Decimal, {}},
      {"HBPD", 0x14, 2, Form::Decimal, {}},
      {"HFPD", 0x16, 2, Form::Decimal, {}},
      {"HSPW", 0x18, 2, Form::Decimal, {}},
      {"PCLKRISING", 0x1A, 1, Form::Decimal, {}},
      {"HSYNCPolarity", 0x1B, 1, Form::Decimal, {}},
      {"VSYNCPolarity", 0x1C, 1, Form::Decimal, {}},
      {"DEPolarity", 0x1D, 1, Form::Decimal, {}},
      {"RGBSequence", 0x1E, 1, Form::Word, {"RGB", "RBG", "GRB", "GBR", "BRG", "BGR"}},
      {"ColorDepth", 0x1F, 1, Form::Word, {"8", "16/18", "24"}},
      {"FlashType", 0x20, 1, Form::Word, {"NOR", "NAND"}},
      {"FlashSize", 0x21, 2, Form::Decimal, {}},
  };
  return fields;
}

std::string ValueText(const KeyField& field, std::uint32_t value) {
  char text[16];
  switch (field.form) {
    case Form::Packed:
      std::snprintf(text, sizeof text, "%X.%X", (value >> 4) & 0xF, value & 0xF);
      return text;
    case Form::Decimal:
      return std::to_string(value);
    case Form::Word:
      if (value < field.words.size())
        return field.words[value];
      std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
      return std::string(text) + " (unknown)";
  }
  return {};
}

}  // namespace

std::vector<std::string> DescribeModuleInfo(std::span<const std::uint8_t> record) {
  std::vector<std::string> lines;
  for (const KeyField& field : KeyFields()) {
    const std::uint32_t value = GetBigEndian(record, field.at, field.width);
    lines.push_back(std::string(field.key) + ": " + ValueText(field, value));
  }
  return lines;
}

}  // namespace builder
