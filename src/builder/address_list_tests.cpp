#include "builder/address_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace builder {
namespace {

std::vector<std::string> LinesOf(const std::string& text) {
  return AddressListLines(
      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(AddressListLines, DropsEmptyLinesControlCharactersAndHighBytes) {
  EXPECT_EQ(LinesOf("//GIF a.gif\r\n\r\n{1,2,3,4}\n\n\xB0\xA1x\ty\r\nlast"),
            (std::vector<std::string>{"//GIF a.gif", "{1,2,3,4}", "x    y", "last"}));
  EXPECT_TRUE(LinesOf("\r\n\n").empty());
}

TEST(AddressListLines, KeepsAtMost1023Characters) {
  const std::vector<std::string> lines = LinesOf(std::string(1030, 'a') + "\nb");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 1023u);
}

TEST(ReadEntryLine, ReadsTheFourNumbersAndTheRest) {
  auto entry = ReadEntryLine("{800, 480, 0x00000000, 0x000BB800},//a.png");
  ASSERT_TRUE(entry.ok());
  ASSERT_TRUE(entry->has_value());
  EXPECT_EQ(**entry, (EntryLine{800, 480, 0, 0xBB800, ",//a.png"}));
}

TEST(ReadEntryLine, LinesThatAreNoEntries) {
  for (const char* line : {" {800, 480, 0x0, 0x10},//a.png", "//GIF pics/a.gif", "{1, 2, 3}", ""}) {
    SCOPED_TRACE(line);
    auto entry = ReadEntryLine(line);
    ASSERT_TRUE(entry.ok());
    EXPECT_FALSE(entry->has_value());
  }
}

TEST(ReadEntryLine, ANumberThatIsNoDecimalStopsTheBuild) {
  auto entry = ReadEntryLine("{12AB, 480, 0x0, 0x10},//a.png");
  ASSERT_FALSE(entry.ok());
  EXPECT_EQ(entry.error().text.rfind("'12AB' is not a valid integer value", 0), 0u);
}

// Damaged lists: every line either is an entry, is none, or stops with a message.
TEST(ReadEntryLine, SurvivesDamagedLists) {
  std::mt19937 random(11);
  const std::string alphabet = "{},0123456789xXaFg /\t\r\n\xB0";
  for (int round = 0; round < 500; ++round) {
    std::string text;
    for (int i = 0; i < 200; ++i)
      text += alphabet[random() % alphabet.size()];
    for (const std::string& line : LinesOf(text)) {
      auto entry = ReadEntryLine(line);
      if (!entry.ok()) {
        EXPECT_NE(entry.error().text.find("is not a valid integer value"), std::string::npos);
      }
    }
  }
}

}  // namespace
}  // namespace builder
