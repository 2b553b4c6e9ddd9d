#include "font/charset_codes.h"

#include <gtest/gtest.h>

#include "platform/chinese_forms.h"

namespace font {
namespace {

TEST(HexPairToByte, ReadsBothCasesAndCountsOtherCharactersAsZero) {
  EXPECT_EQ(HexPairToByte('B', 'a'), 0xBA);
  EXPECT_EQ(HexPairToByte('0', 'f'), 0x0F);
  EXPECT_EQ(HexPairToByte('g', '1'), 0x01);
  EXPECT_EQ(HexPairToByte('\0', 'Z'), 0x00);
}

TEST(NormaliseHexDigit, KeepsDigitsUpperCasesLettersZeroesTheRest) {
  const std::string in = "09AFaf gG\xBA";
  const std::string out =
      "09AFAF000"
      "0";
  for (std::size_t i = 0; i < in.size(); ++i)
    EXPECT_EQ(NormaliseHexDigit(in[i]), out[i]) << i;
}

TEST(NormaliseHexField, CutsOrPadsToFourDigits) {
  const struct {
    std::string in, out;
  } cases[] = {{"1g", "1000"},   {"ab", "AB00"},       {"12345", "1234"}, {"", "0000"},
               {"b0a1", "B0A1"}, {"\xBA\xBA", "0000"}, {"AC00", "AC00"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(NormaliseHexField(c.in), c.out);
  }
}

TEST(HexFieldValue, HighPairTimes256PlusLowPair) {
  EXPECT_EQ(HexFieldValue("AC80"), 0xAC80);
  EXPECT_EQ(HexFieldValue("d7a3"), 0xD7A3);
  EXPECT_EQ(HexFieldValue("AC"), 0xAC00);
  EXPECT_EQ(Hex4(0x00AB), "00AB");
}

TEST(SetForIndex, TraditionalLocaleAlwaysMeansBig5) {
  EXPECT_EQ(SetForIndex(0, false), CharacterSet::Gb2312);
  EXPECT_EQ(SetForIndex(1, false), CharacterSet::Big5);
  EXPECT_EQ(SetForIndex(2, false), CharacterSet::Gb2312Traditional);
  EXPECT_EQ(SetForIndex(3, false), CharacterSet::Gbk);
  EXPECT_EQ(SetForIndex(4, false), CharacterSet::Unicode);
  EXPECT_EQ(SetForIndex(-1, false), CharacterSet::Gb2312);
  EXPECT_EQ(SetForIndex(4, true), CharacterSet::Big5);
}

struct DecodeCase {
  const char* name;
  CharacterSet set;
  std::uint8_t lead, trail;
  bool traditional_locale;
  std::u16string text;
};

// gtest shows a case by its name, not by its bytes.
void PrintTo(const DecodeCase& c, std::ostream* out) {
  *out << c.name;
}

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesTheCharacterDrawnForTheCode) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(DecodeCharsetCode(c.set, c.lead, c.trail, c.traditional_locale), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Decode,
    ::testing::Values(
        DecodeCase{"Gb2312FirstLevelOne", CharacterSet::Gb2312, 0xB0, 0xA1, false, u"啊"},
        DecodeCase{"Gb2312Space", CharacterSet::Gb2312, 0xA1, 0xA1, false, u"\u3000"},
        DecodeCase{"Gb2312TraditionalForm", CharacterSet::Gb2312Traditional, 0xBB, 0xAA, false,
                   u"華"},
        DecodeCase{"GbkFirst", CharacterSet::Gbk, 0x81, 0x40, false, u"丂"},
        DecodeCase{"GbkSimplified", CharacterSet::Gbk, 0xBB, 0xAA, false, u"华"},
        DecodeCase{"Big5ThroughGbk", CharacterSet::Big5, 0xA4, 0x40, false, u"一"},
        DecodeCase{"Big5Hua", CharacterSet::Big5, 0xB5, 0xD8, false, u"華"},
        // U+2027 (BIG5 0xA145) has no GBK code: drawn as "?".
        DecodeCase{"Big5LackingInGbk", CharacterSet::Big5, 0xA1, 0x45, false, u"?"},
        DecodeCase{"Big5TraditionalLocale", CharacterSet::Big5, 0xA1, 0x45, true, u"\u2027"},
        DecodeCase{"Unicode", CharacterSet::Unicode, 0xAC, 0x80, false, u"\uAC80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReferenceText, FollowsTheSetAndLocale) {
  EXPECT_EQ(ReferenceText(CharacterSet::Gb2312, false), u"华");
  EXPECT_EQ(ReferenceText(CharacterSet::Gbk, false), u"华");
  EXPECT_EQ(ReferenceText(CharacterSet::Gb2312Traditional, false), u"華");
  EXPECT_EQ(ReferenceText(CharacterSet::Big5, false), u"華");
  EXPECT_EQ(ReferenceText(CharacterSet::Unicode, false), u"\uAC00");
  EXPECT_EQ(ReferenceText(CharacterSet::Gb2312, true), u"華");
}

TEST(TestCodeText, UnicodeEntryDecodesLikeGb2312) {
  EXPECT_EQ(TestCodeText(CharacterSet::Unicode, "B0A1", false), u"啊");
  EXPECT_EQ(TestCodeText(CharacterSet::Gb2312, "b0a1", false), u"啊");
  EXPECT_EQ(TestCodeText(CharacterSet::Gb2312, "B5D8", true), u"華");
  EXPECT_EQ(UnicodeTestText("AC80"), u"\uAC80");
  EXPECT_EQ(TextTestText(u"汉華\uAC00", platform::CodePage::Gbk936), u"汉華?");
  EXPECT_EQ(TextTestText(u"汉華", platform::CodePage::Big5_950), u"?華");
}

TEST(ChineseForms, MapCharacterByCharacter) {
  EXPECT_EQ(platform::ToTraditionalForms(u"汉华a"), u"漢華a");
  EXPECT_EQ(platform::ToSimplifiedForms(u"漢華a"), u"汉华a");
  EXPECT_EQ(platform::ToSimplifiedForms(u""), u"");
}

TEST(CodePages, QuestionMarkForWhatAPageLacks) {
  using platform::CodePage;
  EXPECT_EQ(platform::EncodeCodePage(u"汉A", CodePage::Gbk936),
            "\xBA\xBA"
            "A");
  EXPECT_EQ(platform::EncodeCodePage(u"\u2027", CodePage::Gbk936), "?");
  EXPECT_EQ(platform::EncodeCodePage(u"汉", CodePage::Big5_950), "?");
  EXPECT_EQ(platform::EncodeCodePage(u"華", CodePage::Big5_950), "\xB5\xD8");
  const std::uint8_t bytes[] = {0xBA, 0xBA, 'A'};
  EXPECT_EQ(platform::DecodeCodePage(bytes, CodePage::Gbk936), u"汉A");
  EXPECT_EQ(platform::Utf8FromUtf16(platform::Utf16FromUtf8("汉A")), "汉A");
}

}  // namespace
}  // namespace font
