#include "builder/module_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace builder {
namespace {

using Record = std::array<std::uint8_t, kModuleInfoKeyBytes>;

// A complete "[INFO]" section; tests replace single lines.
CommandList InfoLines() {
  return {
      " ",
      "[INFO]",
      "PCVersion:16        /tool version",
      "COMPort:SPI",
      "Baudrate:115200",
      "PCBVersion:2.1",
      "MCUBit:16",
      "MCUType:STM",
      "MrlType:MX-3",
      "MrlIF:8080-16",
      "XSIZE:800",
      "YSIZE:480",
      "VBPD:23",
      "VFPD:22",
      "VSPW:3",
      "HBPD:46",
      "HFPD:210",
      "HSPW:20",
      "PCLKRISING:1",
      "HSYNCPolarity:0",
      "VSYNCPolarity:0",
      "DEPolarity:1",
      "RGBSequence:BGR",
      "ColorDepth:24",
      "FlashType:NAND",
      "FlashSize:128",
      " ",
      "[USERCMD]",
  };
}

CommandList WithLine(const std::string& key, const std::string& line) {
  CommandList lines = InfoLines();
  auto found = std::find_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return l.starts_with(key + ":"); });
  *found = line;
  return lines;
}

TEST(ParseModuleInfo, StoresEveryKeyBigEndian) {
  auto record = ParseModuleInfo(InfoLines());
  ASSERT_TRUE(record.ok()) << record.error().text;
  const Record expected = {0x16, 0x01, 0x01, 0xC2, 0x00, 0x21, 0x01, 0x01, 0x02, 0x01, 0x03, 0x20,
                           0x01, 0xE0, 0x00, 0x17, 0x00, 0x16, 0x00, 0x03, 0x00, 0x2E, 0x00, 0xD2,
                           0x00, 0x14, 0x01, 0x00, 0x00, 0x01, 0x05, 0x02, 0x01, 0x00, 0x80};
  EXPECT_EQ(*record, expected);
}

struct FieldCase {
  const char* key;
  std::string line;
  std::size_t offset;
  std::vector<std::uint8_t> expected;
};

TEST(ParseModuleInfo, ReadsValueTexts) {
  const std::vector<FieldCase> cases = {
      {"XSIZE", "XSIZE: 800x480", 0x0A, {0x36, 0xE0}},
      {"Baudrate", "Baudrate: 115 200", 0x02, {0x01, 0xC2, 0x00}},
      {"Baudrate", "Baudrate: 115,200 / 2 stop bits", 0x02, {0x01, 0xC2, 0x00}},
      {"Baudrate", "Baudrate:16777217", 0x02, {0x00, 0x00, 0x01}},
      {"XSIZE", "XSIZE 640", 0x0A, {0x02, 0x80}},  // no ":": the whole line is the value
      {"MCUBit", "MCUBit:24", 0x06, {0x00}},
      {"MCUBit", "MCUBit:32", 0x06, {0x02}},
      {"ColorDepth", "ColorDepth:16", 0x1F, {0x01}},
      {"ColorDepth", "ColorDepth:18", 0x1F, {0x01}},
      {"ColorDepth", "ColorDepth:32", 0x1F, {0x01}},
      {"ColorDepth", "ColorDepth:8", 0x1F, {0x00}},
      {"RGBSequence", "RGBSequence:bgr", 0x1E, {0x00}},
      {"RGBSequence", "RGBSequence: BGR    / blue first", 0x1E, {0x05}},
      {"RGBSequence", "RGBSequence:B G R\r", 0x1E, {0x05}},
      {"MrlType", "MrlType:MX-9", 0x08, {0x00}},
      {"PCVersion", "PCVersion:1.2", 0x00, {0x12}},
      {"PCVersion", "PCVersion:1.2.3", 0x00, {0x01}},
      {"PCVersion", "PCVersion:", 0x00, {0x01}},
      {"FlashType", "FlashType:NOR", 0x20, {0x00}},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.line);
    auto record = ParseModuleInfo(WithLine(c.key, c.line));
    ASSERT_TRUE(record.ok()) << record.error().text;
    EXPECT_EQ(std::vector<std::uint8_t>(record->begin() + static_cast<long>(c.offset),
                                        record->begin() + static_cast<long>(c.offset) +
                                            static_cast<long>(c.expected.size())),
              c.expected);
  }
}

TEST(ParseModuleInfo, AKeyIsFoundOnlyAfterThePreviousOne) {
  CommandList lines = InfoLines();
  std::swap(lines[2], lines[3]);  // "COMPort" before "PCVersion"
  auto record = ParseModuleInfo(lines);
  ASSERT_FALSE(record.ok());
  EXPECT_EQ(record.error().text, "Module info error!");
}

TEST(ParseModuleInfo, ACommentNamingAKeySatisfiesItsSearch) {
  CommandList lines = InfoLines();
  lines.insert(lines.begin() + 2, "comment on PCVersion: 3.4");
  auto record = ParseModuleInfo(lines);
  ASSERT_TRUE(record.ok()) << record.error().text;
  EXPECT_EQ((*record)[0x00], 0x34);
}

TEST(ParseModuleInfo, FailsWithoutItsLines) {
  CommandList without_info = InfoLines();
  without_info[1] = "[INF0]";
  CommandList without_flash_size = InfoLines();
  without_flash_size[25] = "FlashSz:128";
  const CommandList ten_lines = {"[INFO]",        "PCVersion:16", "COMPort:SPI", "Baudrate:9600",
                                 "PCBVersion:10", "MCUBit:8",     "MCUType:STM", "MrlType:MX-1",
                                 "MrlIF:SPI",     "XSIZE:1"};
  for (const CommandList& lines : {without_info, without_flash_size, ten_lines, CommandList{}}) {
    auto record = ParseModuleInfo(lines);
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().text, "Module info error!");
  }
}

TEST(ParseModuleInfo, ADecimalWithoutDigitsStopsWithTheConversionError) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"XSIZE:wide", "'wide' is not a valid integer value (XSIZE in command list line 11)"},
      {"XSIZE:/800", "'' is not a valid integer value (XSIZE in command list line 11)"},
      {"XSIZE:99999999999",
       "'99999999999' is not a valid integer value (XSIZE in command list line 11)"},
  };
  for (const auto& [line, message] : cases) {
    SCOPED_TRACE(line);
    auto record = ParseModuleInfo(WithLine("XSIZE", line));
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().text, message);
  }
}

}  // namespace
}  // namespace builder
