#include <gtest/gtest.h>

#include <map>

#include "cli/bash_completion.h"
#include "cli/manual_page.h"

namespace cli {
namespace {

TEST(RoffText, ShowsEveryCharacterLiterally) {
  const struct {
    const char* text;
    const char* roff;
  } cases[] = {
      {"plain words", "plain words"},
      {"--reverse-x", "\\-\\-reverse\\-x"},         // hyphens stay hyphens, not dashes
      {"C:\\pictures", "C:\\epictures"},            // a backslash is no escape
      {".bin is appended", "\\&.bin is appended"},  // a leading dot is no request
      {"'quoted'\n.next", "\\&'quoted'\n\\&.next"},
      {"a.b 'c'", "a.b 'c'"},  // inside a line both are plain
  };
  for (const auto& c : cases)
    EXPECT_EQ(RoffText(c.text), c.roff) << c.text;
}

TEST(ManualPage, HasASectionPerSubcommandAndEachOption) {
  CLI::App app{"Makes things", "maker"};
  CLI::App* make = app.add_subcommand("make", "Make a thing");
  std::string out;
  make->add_option("-o", out, "Output name")->required();
  CLI::App* twice = make->add_subcommand("twice", "Make it twice");
  bool again = false;
  twice->add_flag("--again", again, "Once more");
  CLI::App* hidden = app.add_subcommand("hidden", "Not listed");
  hidden->group("");

  const std::string page = ManualPage(app, {"Maker 1.0", "First paragraph.\n\nSecond.", ""});
  EXPECT_NE(page.find(".TH MAKER 1 \"\" \"Maker 1.0\""), std::string::npos);
  EXPECT_NE(page.find(".SH \"MAKER MAKE\"\nMake a thing\n"), std::string::npos);
  EXPECT_NE(page.find(".SS \"maker make twice\"\nMake it twice\n"), std::string::npos);
  EXPECT_NE(page.find(".TP\n\\fB\\-o\\fR TEXT REQUIRED\nOutput name\n"), std::string::npos);
  EXPECT_NE(page.find("\\-\\-again"), std::string::npos);
  EXPECT_NE(page.find(".PP\nFirst paragraph.\n.PP\nSecond.\n"), std::string::npos);
  EXPECT_EQ(page.find("hidden"), std::string::npos);
}

TEST(OptionChoices, AreTheKeysOfAMapOrSet) {
  CLI::App app;
  int order = 0;
  std::string name;
  auto* mapped =
      app.add_option("--order", order)
          ->transform(CLI::CheckedTransformer(std::map<std::string, int>{{"rgb", 0}, {"bgr", 1}}));
  auto* member = app.add_option("--kind", name)->check(CLI::IsMember({"one", "two"}));
  auto* free = app.add_option("--name", name);
  auto* number = app.add_option("--size", order);
  EXPECT_EQ(OptionChoices(*mapped), (std::vector<std::string>{"bgr", "rgb"}));
  EXPECT_EQ(OptionChoices(*member), (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(OptionChoices(*free).empty());
  EXPECT_TRUE(OptionChoices(*number).empty());
}

}  // namespace
}  // namespace cli
