#include "builder/user_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/command_layout.h"

namespace builder {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The record of one command list line, the opcode taken from its keyword.
platform::Result<Bytes> Encode(const std::string& line, const RangeTable& gifs = {},
                               const RangeTable& numbers = {}) {
  const std::string cleaned = CleanCommandLine(line);
  return EncodeCommandLine(std::stoi(cleaned.substr(0, 2), nullptr, 16), cleaned, gifs, numbers);
}

TEST(OpcodeKeyword, IsTwoUpperCaseDigitsAndH) {
  EXPECT_EQ(OpcodeKeyword(0x80), "80h");
  EXPECT_EQ(OpcodeKeyword(0x9A), "9Ah");
  EXPECT_EQ(OpcodeKeyword(0xFF), "FFh");
}

TEST(CleanCommandLine, KeepsPrintableAsciiOfTheFirst1023Bytes) {
  EXPECT_EQ(CleanCommandLine(" 82h :\t1, 2 /\xB0\xA1 note\r"), "82h:1,2/note");
  EXPECT_EQ(CleanCommandLine(std::string(1023, ' ') + "82h:1"), "");
}

struct RecordCase {
  std::string line;
  Bytes expected;
};

TEST(EncodeCommandLine, ScansArgumentsAtTheirWidths) {
  const std::vector<RecordCase> cases = {
      {"82h: 1, 0x1234, 5, 6", {0x01, 0x12, 0x34, 0x00, 0x05, 0x06}},
      {"80h:1,2,300,4,5", {0x08, 0x01, 0x02, 0x01, 0x2C, 0x00, 0x04, 0x05}},
      {"80h:1,2/", {0x03, 0x01, 0x02}},
      {"9Ah:1,2,3,", {0x04, 0x01, 0x02, 0x03}},
      {"9Ah:", {0x01}},
      {"9Ch:123,4/", {0x7B, 0x04}},
      {"B8h:1,2/", {0x0C}},
      {"B8h:", {}},
      {"94h:1,2,3,4,5,6,7,8,9,10,0x12345,12",
       {0x01, 0x02, 0x03, 0x04, 0x00, 0x05, 0x00, 0x06, 0x00, 0x07, 0x08, 0x09, 0x0A, 0x01, 0x23,
        0x45, 0x00, 0x00, 0x0C}},
      {"83h:0x1FF,0x1FF", {0xFF, 0x01, 0xFF}},
      {"E1h:1,2,3,4", {0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x00, 0x04}},
      {"82h:0x123456789", {0x00}},
      {"82h:", {}},
      {"82h:1,2/3,4", {0x01, 0x00, 0x02}},
      {"82h:1;2,3", {0x0C, 0x00, 0x03}},  // other characters are skipped
      {"82h:1,2 / comment, with 12AB", {0x01, 0x00, 0x02}},
      {"82h 5", {0x39}},            // no ":": the keyword's digits join the first argument (825)
      {"9Ch:1,2x3", {0x01, 0x03}},  // "2x3" reads as hexadecimal 3
  };
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(c.line);
    auto record = Encode(c.line);
    ASSERT_TRUE(record.ok()) << record.error().text;
    EXPECT_EQ(*record, c.expected);
  }
}

struct WidthCase {
  std::vector<int> opcodes;
  std::string widths;  // of arguments 0-19
};

TEST(EncodeCommandLine, GivesEveryOpcodeItsWidths) {
  const std::vector<WidthCase> cases = {
      {{0x80}, "11221122112211221122"},
      {{0x81, 0x82}, "12211111111111111111"},
      {{0x83}, "12222222222222222222"},
      {{0x88}, "11222211111111111111"},
      {{0x90, 0x9B, 0xA0}, "11221111111111111111"},
      {{0x94}, "11112221113311111111"},
      {{0x98, 0xC4, 0xC5, 0xC6, 0xC7, 0xD0, 0xD4, 0xD8, 0xD9, 0xDA}, "22111111111111111111"},
      {{0x9A, 0x9C, 0xB4}, "11111111111111111111"},
      {{0xB0}, "22113111231111111111"},
      {{0xB1}, "22112331111111111111"},
      {{0xB2}, "22111233112331123311"},
      {{0xC0, 0xC1, 0xC2, 0xC3}, "12233111111111111111"},
      {{0xDC}, "22223122222222222222"},
      {{0xDF}, "11311111111111111111"},
      {{0xE0}, "22223111111111111111"},
      {{0xE1, 0xE2}, "22233333333333333333"},
      {{0xE3}, "22233111111111111111"},
      {{0xE4, 0xE5, 0xE7, 0xE8, 0xF7, 0xFA, 0xFE}, "22223222222222222222"},
      {{0xE6, 0xE9}, "22223311111111111111"},
      {{0xEA, 0xEB, 0xED, 0xEE, 0xEF}, "22222233333333333333"},
      {{0xEC}, "22222233111111111111"},
      {{0xF0, 0xF1}, "22222222322222222222"},
      {{0xF2, 0xF3}, "22222222223222222222"},
      {{0xF4}, "22222331222222222222"},
      {{0xF5}, "22222233122222222222"},
      {{0xF6}, "22221133311111111111"},
  };
  std::string arguments;
  for (int j = 0; j < 20; ++j) {
    arguments += std::to_string(0x10 + j) + ",";
  }
  for (const WidthCase& c : cases) {
    ASSERT_EQ(c.widths.size(), 20u);
    for (int opcode : c.opcodes) {
      SCOPED_TRACE(OpcodeKeyword(opcode));
      Bytes expected;
      const bool length_byte = LayoutOf(opcode)->length_byte;
      if (length_byte) {
        expected.push_back(0);
      }
      for (int j = 0; j < 20; ++j) {
        expected.insert(expected.end(), static_cast<std::size_t>(c.widths[j] - '1'), 0x00);
        expected.push_back(static_cast<std::uint8_t>(0x10 + j));
      }
      if (length_byte) {
        expected[0] = static_cast<std::uint8_t>(expected.size());
      }
      auto record = Encode(OpcodeKeyword(opcode) + ":" + arguments);
      ASSERT_TRUE(record.ok()) << record.error().text;
      EXPECT_EQ(*record, expected);
    }
  }
}

TEST(EncodeCommandLine, GifFormTakesTheFramesOfTheNamedGif) {
  const RangeTable gifs = {{5, 14}};
  const std::vector<std::pair<RecordCase, RangeTable>> cases = {
      {{"88h GIF: 1, 2, 100, 200, 0", {0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x00, 0x05, 0x00, 0x0E}},
       gifs},
      {{"88h GIF: 1, 2, 100, 200, 0", {0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x00}}, {}},
      {{"88h GIF: 1, 2, 100, 200, 1", {0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x01}}, gifs},
      {{"88h:1,2,100,200,0/GIF", {0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x00, 0x05, 0x00, 0x0E}},
       gifs},
      {{"88h GIF: 0x10, 0", {0x0A, 0x00, 0x05, 0x00, 0x0E}}, gifs},  // digits only: "010"
      {{"88h GIF:", {}}, gifs},
      {{"88h: 1, 2, 100, 200, 300, 400",
        {0x01, 0x02, 0x00, 0x64, 0x00, 0xC8, 0x01, 0x2C, 0x01, 0x90}},
       gifs},
  };
  for (const auto& [c, table] : cases) {
    SCOPED_TRACE(c.line);
    auto record = Encode(c.line, table);
    ASSERT_TRUE(record.ok()) << record.error().text;
    EXPECT_EQ(*record, c.expected);
  }
}

TEST(EncodeCommandLine, PictureSetFormTakesTheNumbersOfTheNamedSet) {
  const RangeTable numbers = {{20, 31}, {0x132, 0x1FF}};
  const std::vector<std::pair<RecordCase, RangeTable>> cases = {
      {{"90h PT: 0, 300, 400, 7", {0x14, 0x1F, 0x01, 0x2C, 0x01, 0x90, 0x07}}, numbers},
      {{"90h PT: 1, 300", {0x32, 0xFF, 0x01, 0x2C}}, numbers},
      {{"90h PT: 2, 300", {0x02, 0x01, 0x2C}}, numbers},
      {{"90h PT: 0, 300", {0x00, 0x01, 0x2C}}, {}},
      {{"90h PT:", {}}, numbers},
      {{"90h: 1, 2, 300, 400", {0x01, 0x02, 0x01, 0x2C, 0x01, 0x90}}, numbers},
  };
  for (const auto& [c, table] : cases) {
    SCOPED_TRACE(c.line);
    auto record = Encode(c.line, {}, table);
    ASSERT_TRUE(record.ok()) << record.error().text;
    EXPECT_EQ(*record, c.expected);
  }
}

TEST(EncodeCommandLine, StopsAtArgumentsThatAreNoNumber) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"82h:12AB", "'12AB' is not a valid integer value"},
      {"82h:1,,2", "'' is not a valid integer value"},
      {"82h: / note", "'' is not a valid integer value"},
      {"82h:1,/", "'' is not a valid integer value"},
      {"B8h:/", "'' is not a valid integer value"},
      {"82h:x12", "'x12' is not a valid integer value"},
  };
  for (const auto& [line, message] : cases) {
    SCOPED_TRACE(line);
    auto record = Encode(line);
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().text, message);
  }
}

TEST(EncodeCommandLine, RefusesRecordsPastTheirLimits) {
  std::string ones;
  for (int i = 0; i < 300; ++i) {
    ones += "1,";
  }
  std::string wide;
  for (int i = 0; i < 430; ++i) {
    wide += "1,";
  }
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"9Ah:" + ones,
       "A user command record with a length byte holds at most 255 bytes; "
       "this one has 301"},
      {"E1h:" + wide, "A user command record holds at most 1280 bytes; this one has 1287"},
  };
  for (const auto& [line, message] : cases) {
    SCOPED_TRACE(line.substr(0, 3));
    auto record = Encode(line);
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().text, message);
  }
  // The largest records still pass.
  EXPECT_EQ(Encode("9Ah:" + ones.substr(0, 2 * 254))->size(), 255u);
}

}  // namespace
}  // namespace builder
