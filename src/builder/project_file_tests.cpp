#include "builder/project_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace builder {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

struct LoadCase {
  const char* name;
  std::string file;
  CommandList expected;
};

TEST(LoadProjectLines, FollowsTheLineRules) {
  const std::vector<LoadCase> cases = {
      {"empty file", "", {}},
      {"LF sections gain a blank line before them",
       "[INFO]\nXSIZE:800\n[USERCMD]\n82h:1\n",
       {" ", "[INFO]", "XSIZE:800", " ", "[USERCMD]", "82h:1"}},
      {"CR stays in the line, so CR LF sections gain nothing",
       "[INFO]\r\nXSIZE:800\r\n[USERCMD]\r\n",
       {"[INFO]\r", "XSIZE:800\r", "[USERCMD]\r"}},
      {"empty lines become a blank", "a\n\n\nb\n", {"a", " ", " ", "b"}},
      {"a section inside a line is no section line",
       " [INFO]\n[INFO] x\n",
       {" [INFO]", "[INFO] x"}},
      {"the last line without a break gains a blank before it", "a\nb", {"a", " ", "b"}},
      {"no line break at all", "[INFO]", {" ", "[INFO]"}},
      {"TAB becomes 8 blanks", "\tx\t\n", {"        x        "}},
      {"other control bytes stay", "a\x01\x7F\xB0\xA1\n", {"a\x01\x7F\xB0\xA1"}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LoadProjectLines(Bytes(c.file)), c.expected);
  }
}

TEST(LoadProjectLines, CapsLinesAt1023Characters) {
  const std::string long_line(1030, 'a');
  EXPECT_EQ(LoadProjectLines(Bytes(long_line + "\nb\n")),
            (CommandList{std::string(1023, 'a'), "b"}));

  // A TAB near the cap adds only the blanks that still fit.
  const std::string near_cap(1020, 'a');
  EXPECT_EQ(LoadProjectLines(Bytes(near_cap + "\tzz\n")), (CommandList{near_cap + "   "}));
}

TEST(SaveProjectLines, DropsControlBytesAndEndsEveryLineWithCrLf) {
  const CommandList lines = {"[INFO]\r", "a\tb\x7F\xB0\xA1", " ", ""};
  EXPECT_EQ(SaveProjectLines(lines), Bytes("[INFO]\r\nab\x7F\xB0\xA1\r\n \r\n\r\n"));
}

TEST(SaveProjectLines, ReloadingAddsOnlyTheCrOfEachLine) {
  const CommandList loaded = LoadProjectLines(Bytes("[INFO]\nXSIZE:800\n\n[USERCMD]\n82h:1"));
  const CommandList reloaded = LoadProjectLines(SaveProjectLines(loaded));
  ASSERT_EQ(reloaded.size(), loaded.size());
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    EXPECT_EQ(reloaded[i], loaded[i] + "\r");
  }
}

TEST(IsProjectFileChoice, RefusesEmptyAndPatternNames) {
  EXPECT_TRUE(IsProjectFileChoice("/work/demo.ini"));
  EXPECT_FALSE(IsProjectFileChoice(""));
  EXPECT_FALSE(IsProjectFileChoice("/work/*.ini"));
}

}  // namespace
}  // namespace builder
