#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace platform {
namespace {

TEST(CodePage, EncodesBothWaysWithQuestionMarksForMissingCharacters) {
  EXPECT_EQ(EncodeText("A汉", CodePage::Gbk936), "A\xBA\xBA");
  EXPECT_EQ(DecodeText(std::string_view("A\xBA\xBA"), CodePage::Gbk936), "A汉");
  EXPECT_EQ(EncodeText("漢", CodePage::Big5_950), "\xBA\x7E");
  EXPECT_EQ(EncodeText("汉", CodePage::Big5_950), "?");  // BIG5 lacks the simplified form
  EXPECT_EQ(EncodeText("\xF0\x9F\x98\x80", CodePage::Gbk936), "?");
}

TEST(CodePage, ListingLinesEndInCrLf) {
  const auto bytes = TextFileBytes({"a", "汉"}, CodePage::Gbk936);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a\r\n\xBA\xBA\r\n");
}

TEST(CodePage, TraditionalLocaleFollowsTheFirstSetVariable) {
  struct Case {
    const char* all;
    const char* ctype;
    const char* lang;
    bool traditional;
  } cases[] = {
      {nullptr, nullptr, "zh_TW.UTF-8", true},
      {nullptr, "C", "zh_TW.UTF-8", false},
      {"zh_TW", "C", "C", true},
      {nullptr, nullptr, "zh_CN.UTF-8", false},
  };
  for (const Case& c : cases) {
    auto set = [](const char* name, const char* value) {
      value ? setenv(name, value, 1) : unsetenv(name);
    };
    set("LC_ALL", c.all);
    set("LC_CTYPE", c.ctype);
    set("LANG", c.lang);
    EXPECT_EQ(TraditionalLocaleFromEnvironment(), c.traditional);
    EXPECT_EQ(TextCodePage(), c.traditional ? CodePage::Big5_950 : CodePage::Gbk936);
  }
  unsetenv("LC_ALL");
  unsetenv("LC_CTYPE");
  unsetenv("LANG");
  EXPECT_EQ(TextCodePage(true), CodePage::Big5_950);
}

}  // namespace
}  // namespace platform
