#include "font/string_font.h"

#include <gtest/gtest.h>

#include "font/test_drawers.h"

namespace font {
namespace {

using platform::CodePage;

platform::Bytes Header(const platform::Bytes& file) {
  return {file.begin() + 8, file.begin() + 12};
}

TEST(StringTextLines, SplitAtEveryLineBreakAndStopAtZero) {
  const std::string text = "AB\r\n\xBA\xBA\xBA\xBA\rC\nD\n\nE";
  const std::vector<std::u16string> lines = StringTextLines(
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, CodePage::Gbk936);
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"AB", u"汉汉", u"C", u"D", u"", u"E"}));
  const std::uint8_t with_zero[] = {'A', 0, 'B'};
  EXPECT_EQ(StringTextLines(with_zero, CodePage::Gbk936), (std::vector<std::u16string>{u"A"}));
}

TEST(StringFont, TwoLinesMakeThe148ByteFile) {
  testing::CodeBitsDrawer drawer;
  const StringFontOutcome outcome = BuildStringFont({u"AB", u"汉汉"}, CodePage::Gbk936, {}, drawer);
  ASSERT_FALSE(outcome.error);
  const platform::Bytes& file = outcome.file;
  ASSERT_EQ(file.size(), 148u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "MrlxFont");
  EXPECT_EQ(Header(file), (platform::Bytes{0x00, 0x04, 0x10, 0x10}));
  EXPECT_EQ(platform::Bytes(file.begin() + 12, file.begin() + 20),
            (platform::Bytes{0x00, 0x41, 0x00, 0x42, 0xBA, 0xBA, 0xBA, 0xBA}));
  // Glyph 0 is "A": its bits start at x = 2 in row 1.
  EXPECT_EQ(file[20 + 2], 0x00);
  EXPECT_EQ(file[20 + 3], 0x10);  // 0x0041 drawn from x = 2: bit 9 lands on x = 11
  EXPECT_EQ(drawer.calls, 4);
  EXPECT_EQ(drawer.last_text, u"汉");
}

// Settings read before every glyph: a change made between glyphs (the window pumps its
// events there) applies from the next one, but never the cell size or the rotation.
TEST(StringFont, SettingsChangedDuringTheRunApplyFromTheNextGlyph) {
  testing::DotDrawer first_drawer;
  testing::CodeBitsDrawer second_drawer;  // the font chosen during the run
  int glyphs_asked = 0;
  RunControl control;
  control.current_settings = [&glyphs_asked] {
    GlyphSettings now;  // the dot at (2, 1), as at the start
    if (glyphs_asked++ > 0) {
      now.x_offset = 9;          // the dot moves to the second byte
      now.width_text = "8";      // ignored: the size is fixed at the start
      now.rotation = kRight90;   // ignored too
      now.gray_limit_text = "";  // no number yet: the limit stays
    }
    return now;
  };
  control.current_drawer = [&] {
    return glyphs_asked > 2 ? &second_drawer : static_cast<platform::TextDrawer*>(&first_drawer);
  };
  const StringFontOutcome outcome =
      BuildStringFont({u"ABC"}, CodePage::Gbk936, {}, first_drawer, control);
  ASSERT_FALSE(outcome.error);
  ASSERT_EQ(outcome.file.size(), 12u + 6u + 3u * 32u);
  const std::size_t glyphs = 18;
  EXPECT_EQ(outcome.file[glyphs + 2], 0x20);       // glyph 0: x = 2 in row 1
  EXPECT_EQ(outcome.file[glyphs + 32 + 3], 0x40);  // glyph 1: x = 9
  EXPECT_EQ(glyphs_asked, 3);
  EXPECT_EQ(second_drawer.calls, 1);  // glyph 2 only
  EXPECT_EQ(second_drawer.last_text, u"C");
}

TEST(StringFont, TraditionalLocaleUsesBig5Codes) {
  testing::CodeBitsDrawer drawer;
  const StringFontOutcome outcome = BuildStringFont({u"華汉"}, CodePage::Big5_950, {}, drawer);
  EXPECT_EQ(platform::Bytes(outcome.file.begin() + 12, outcome.file.begin() + 16),
            (platform::Bytes{0xB5, 0xD8, 0x00, '?'}));
}

TEST(StringFont, EmptyTextGivesTheHeaderOnly) {
  testing::CodeBitsDrawer drawer;
  for (const auto& lines : {std::vector<std::u16string>{}, std::vector<std::u16string>{u"", u""}}) {
    const StringFontOutcome outcome = BuildStringFont(lines, CodePage::Gbk936, {}, drawer);
    ASSERT_EQ(outcome.file.size(), 12u);
    EXPECT_EQ(Header(outcome.file), (platform::Bytes{0x00, 0x00, 0x10, 0x10}));
  }
}

TEST(StringFont, HeaderHoldsTheTurnedRasterSize) {
  testing::CodeBitsDrawer drawer;
  GlyphSettings settings;
  settings.height_text = "24";
  settings.rotation = kRight90;
  const StringFontOutcome outcome = BuildStringFont({u"A"}, CodePage::Gbk936, settings, drawer);
  EXPECT_EQ(Header(outcome.file), (platform::Bytes{0x00, 0x01, 24, 16}));
  EXPECT_EQ(outcome.file.size(), 12u + 2u + 48u);
}

TEST(StringFont, CountBeyond65535WrapsInTheHeaderOnly) {
  testing::CodeBitsDrawer drawer;
  GlyphSettings settings;
  settings.width_text = "8";
  settings.height_text = "1";
  const std::vector<std::u16string> lines{std::u16string(65537, u'A')};
  const StringFontOutcome outcome = BuildStringFont(lines, CodePage::Gbk936, settings, drawer);
  EXPECT_EQ(Header(outcome.file), (platform::Bytes{0x00, 0x01, 8, 1}));
  EXPECT_EQ(outcome.file.size(), 12u + 2u * 65537u + 65537u);
}

TEST(StringFont, StopRequestLeavesNoFile) {
  testing::CodeBitsDrawer drawer;
  RunControl control;
  control.stop_requested = [] { return true; };
  const StringFontOutcome outcome =
      BuildStringFont({u"ABC"}, CodePage::Gbk936, {}, drawer, control);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_TRUE(outcome.file.empty());
  EXPECT_EQ(drawer.calls, 1);
}

TEST(LoadStringText, ANameWithoutADotKeepsThePreviousText) {
  const std::string folder = ::testing::TempDir();
  const std::string with_dot = folder + "font_text.txt";
  const std::string without_dot = folder + "font_text";
  ASSERT_TRUE(platform::WriteFileAtomically(with_dot, platform::Bytes{'A', '\n', 'B'}));
  ASSERT_TRUE(platform::WriteFileAtomically(without_dot, platform::Bytes{'C'}));
  StringText text;
  // Nothing loaded yet: the file is read even without a dot.
  EXPECT_FALSE(LoadStringText(without_dot, CodePage::Gbk936, text));
  EXPECT_EQ(text.lines, (std::vector<std::u16string>{u"C"}));
  EXPECT_FALSE(LoadStringText(with_dot, CodePage::Gbk936, text));
  EXPECT_EQ(text.lines, (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_FALSE(LoadStringText(without_dot, CodePage::Gbk936, text));
  EXPECT_EQ(text.lines, (std::vector<std::u16string>{u"A", u"B"}));
  const auto error = LoadStringText(folder + "none.txt", CodePage::Gbk936, text);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text, "Cannot open file \"" + folder + "none.txt\".");
}

TEST(CodeTable, UnitsTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(CodeTableOf(u"A\u2027", CodePage::Gbk936), (platform::Bytes{0, 'A', 0, '?'}));
  // A character outside the BMP is two units but one "?".
  EXPECT_EQ(CodeTableOf(u"\U0001F600", CodePage::Gbk936), (platform::Bytes{0, '?', 0, '?'}));
}

}  // namespace
}  // namespace font
