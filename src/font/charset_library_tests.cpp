#include "font/charset_library.h"

#include <gtest/gtest.h>

#include "font/glyph_test.h"
#include "font/test_drawers.h"

namespace font {
namespace {

struct SetCase {
  const char* name;
  CharacterSet set;
  std::size_t file_size;
  std::size_t glyphs;  // slots that receive a glyph
  std::string completion;
  std::uint16_t code;  // a code and its slot
  std::size_t slot;
};

// gtest shows a case by its name, not by its bytes.
void PrintTo(const SetCase& c, std::ostream* out) {
  *out << c.name;
}

class LibraryOfSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(LibraryOfSet, HoldsEverySlotAndEachCodeInItsSlot) {
  const SetCase& c = GetParam();
  testing::CodeBitsDrawer drawer;
  LibraryRequest request;
  request.set = c.set;
  const LibraryOutcome outcome = BuildCharsetLibrary(request, drawer);
  ASSERT_FALSE(outcome.error);
  EXPECT_EQ(outcome.library.size(), c.file_size);
  EXPECT_EQ(std::size_t(drawer.calls), c.glyphs);
  EXPECT_EQ(outcome.completion, c.completion);
  const std::uint16_t start = c.set == CharacterSet::Unicode ? 0xAC00 : 0;
  EXPECT_EQ(SlotOf(c.set, c.code, start), c.slot);

  // The slot holds what "Test Code" lists for the code.
  const std::string field = Hex4(c.code);
  const std::u16string text =
      c.set == CharacterSet::Unicode ? UnicodeTestText(field) : TestCodeText(c.set, field, false);
  const auto shown = ShowGlyphBytes(drawer, text, request.glyph);
  ASSERT_TRUE(shown);
  const platform::Bytes slot(outcome.library.begin() + std::ptrdiff_t(c.slot * 32),
                             outcome.library.begin() + std::ptrdiff_t(c.slot * 32 + 32));
  EXPECT_EQ(slot, shown->packed);

  // Slots after the last glyph stay zero.
  for (std::size_t i = c.glyphs * 32; i < outcome.library.size(); ++i)
    ASSERT_EQ(outcome.library[i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Sets, LibraryOfSet,
    ::testing::Values(
        SetCase{"Gb2312", CharacterSet::Gb2312, 267264, 8178, "GB2312 Font Lib ok", 0xB0A1, 1410},
        SetCase{"Gb2312First", CharacterSet::Gb2312, 267264, 8178, "GB2312 Font Lib ok", 0xA1A1, 0},
        SetCase{"Gb2312Traditional", CharacterSet::Gb2312Traditional, 267264, 8178,
                "繁体GB2312 Font Lib ok", 0xBBAA, 2453},
        SetCase{"Big5", CharacterSet::Big5, 450560, 14080, "BIG5 Font Lib ok", 0xA440, 480},
        SetCase{"Big5TrailA0", CharacterSet::Big5, 450560, 14080, "BIG5 Font Lib ok", 0xA1A0, 64},
        SetCase{"Big5LastSlot", CharacterSet::Big5, 450560, 14080, "BIG5 Font Lib ok", 0xF8FF,
                14079},
        SetCase{"Gbk", CharacterSet::Gbk, 1030080, 24066, "GB2312 Font Lib ok", 0x8240, 191},
        SetCase{"GbkTrail7F", CharacterSet::Gbk, 1030080, 24066, "GB2312 Font Lib ok", 0x817F, 63},
        SetCase{"GbkEndOfLead", CharacterSet::Gbk, 1030080, 24066, "GB2312 Font Lib ok", 0x81FE,
                190},
        SetCase{"Unicode", CharacterSet::Unicode, 357504, 11172, "UniCode Font Lib ok", 0xAC80,
                0x80}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnicodeRange, LogsTheRangeAndCount) {
  testing::CodeBitsDrawer drawer;
  LibraryRequest request;
  request.set = CharacterSet::Unicode;
  request.start_text = "4E00";
  request.end_text = "4e00";
  const LibraryOutcome one = BuildCharsetLibrary(request, drawer);
  EXPECT_EQ(one.log_lines, (std::vector<std::string>{"Unicode start:4E00", "Unicode end:4E00",
                                                     "Unicode nmuber:1"}));
  EXPECT_EQ(one.library.size(), 32u);
  EXPECT_EQ(drawer.last_text, u"\u4E00");

  request.end_text = "4DFF";
  const LibraryOutcome reversed = BuildCharsetLibrary(request, drawer);
  EXPECT_EQ(reversed.log_lines,
            (std::vector<std::string>{"Unicode start:4E00", "Unicode end:4DFF"}));
  ASSERT_TRUE(reversed.error);
  EXPECT_EQ(reversed.error->text, "Error for start code > end code. And stop.");
  EXPECT_TRUE(reversed.library.empty());
}

TEST(LibraryRun, AStopRequestEndsItWithoutBytes) {
  testing::CodeBitsDrawer drawer;
  int glyphs = 0;
  RunControl control;
  control.stop_requested = [&] { return ++glyphs == 10; };
  std::vector<int> percents;
  control.progress = [&](int percent) { percents.push_back(percent); };
  const LibraryOutcome outcome = BuildCharsetLibrary({}, drawer, control);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_TRUE(outcome.library.empty());
  EXPECT_TRUE(outcome.completion.empty());
  EXPECT_EQ(drawer.calls, 10);
  EXPECT_EQ(percents.size(), 10u);  // 0 at the start, then after nine glyphs
}

TEST(LibraryRun, ProgressClimbsTo98) {
  testing::CodeBitsDrawer drawer;
  int last = -1;
  bool rising = true;
  RunControl control;
  control.progress = [&](int percent) {
    rising = rising && percent >= last;
    last = percent;
  };
  BuildCharsetLibrary({}, drawer, control);
  EXPECT_TRUE(rising);
  EXPECT_EQ(last, 95);  // the last call comes before the 174 empty slots
}

TEST(LibraryRun, EmptyNumberFieldsStopItBeforeAnyGlyph) {
  testing::CodeBitsDrawer drawer;
  LibraryRequest request;
  request.glyph.height_text = "";
  EXPECT_EQ(BuildCharsetLibrary(request, drawer).error->text, "'' is not a valid integer value");
  request.glyph.height_text = "16";
  request.glyph.gray_limit_text = "";
  EXPECT_EQ(BuildCharsetLibrary(request, drawer).error->text, "'' is not a valid integer value");
  EXPECT_EQ(drawer.calls, 0);
}

TEST(LibraryRun, TurnedCellsChangeTheGlyphSize) {
  testing::CodeBitsDrawer drawer;
  LibraryRequest request;
  request.set = CharacterSet::Unicode;
  request.start_text = "0041";
  request.end_text = "0042";
  request.glyph.width_text = "16";
  request.glyph.height_text = "24";
  request.glyph.rotation = kRight90;
  EXPECT_EQ(BuildCharsetLibrary(request, drawer).library.size(), 2u * 48u);
}

}  // namespace
}  // namespace font
