#include "combine/combination.h"

#include "combine/combine_test_folder.h"

namespace combine {
namespace {

using platform::CodePage;

class Combination : public CombineTestFolder {
 protected:
  // Picks the files in order as the window does and returns the slots to combine.
  std::vector<Slot> Picked(const std::vector<std::string>& paths) {
    SlotTable fields;
    for (std::size_t i = 0; i < paths.size(); ++i)
      EXPECT_TRUE(PickFile(fields, static_cast<int>(i), paths[i]).ok());
    return *SlotsToCombine(fields);
  }
  std::vector<std::uint8_t> Read(const std::string& name) const {
    return platform::ReadFileBytes(In(name)).value_or(std::vector<std::uint8_t>{});
  }
  std::string ListingText(const std::string& name) const {
    const auto bytes = Read(name);
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST_F(Combination, ChainedFilesAreConcatenated) {
  const auto a = MakeFile("a.bin", 100, 1), b = MakeFile("b.bin", 50, 101),
             c = MakeFile("c.bin", 10, 151);
  const CombineOutcome outcome = CombineFiles(Picked({a, b, c}), In("combo"), CodePage::Gbk936);
  EXPECT_EQ(outcome.messages, std::vector{platform::Done("Combine over")});
  const auto combined = Read("combo.bin");
  ASSERT_EQ(combined.size(), 160u);
  for (std::size_t i = 0; i < combined.size(); ++i)
    ASSERT_EQ(combined[i], static_cast<std::uint8_t>(1 + i)) << i;
  const std::vector<std::string> lines = {"{0x00000000, 0x00000064}, //" + a,
                                          "{0x00000064, 0x00000032}, //" + b,
                                          "{0x00000096, 0x0000000A}, //" + c};
  EXPECT_EQ(outcome.listing, lines);
  EXPECT_EQ(ListingText("combo-Addr.txt"),
            lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n");
}

TEST_F(Combination, GapsAreFilledWithFF) {
  SlotTable fields;
  ASSERT_TRUE(PickFile(fields, 0, MakeFile("a.bin", 100)).ok());
  ASSERT_TRUE(PickFile(fields, 1, MakeFile("b.bin", 50)).ok());
  ASSERT_TRUE(PickFile(fields, 2, MakeFile("c.bin", 10)).ok());
  fields[1].start = "4096";
  ASSERT_TRUE(Rechain(fields, 1).ok());
  EXPECT_EQ(fields[2].start, "4146");
  const CombineOutcome outcome =
      CombineFiles(*SlotsToCombine(fields), In("out.bin"), CodePage::Gbk936);
  EXPECT_EQ(outcome.messages.back(), platform::Done("Combine over"));
  const auto combined = Read("out.bin");
  ASSERT_EQ(combined.size(), 4156u);
  EXPECT_EQ(std::count(combined.begin() + 100, combined.begin() + 4096, 0xFF), 3996);
  EXPECT_EQ(combined[4096], 1);
  EXPECT_EQ(combined[4146], 1);
  EXPECT_EQ(outcome.listing[1].substr(0, 26), "{0x00001000, 0x00000032}, ");
}

TEST_F(Combination, OnlySlotOneGivesTheFileUnchanged) {
  const auto a = MakeFile("a.bin", 300, 7);
  const CombineOutcome outcome = CombineFiles(Picked({a}), In("one.bin"), CodePage::Gbk936);
  EXPECT_EQ(Read("one.bin"), Read("a.bin"));
  EXPECT_EQ(outcome.listing, std::vector<std::string>{"{0x00000000, 0x0000012C}, //" + a});
}

TEST_F(Combination, SlotsAfterTheFirstUnusedOneAreLeftOut) {
  SlotTable fields;
  fields[0] = {MakeFile("a.bin", 4), "0", "4"};
  fields[3] = {MakeFile("d.bin", 4), "4", "4"};
  const auto slots = SlotsToCombine(fields);
  ASSERT_TRUE(slots.ok());
  EXPECT_EQ(slots->size(), 1u);
}

TEST_F(Combination, OverlappingStartIsRefused) {
  SlotTable fields;
  fields[0] = {MakeFile("a.bin", 100), "0", "100"};
  fields[1] = {MakeFile("b.bin", 50), "50", "50"};
  fields[2] = {MakeFile("c.bin", 10), "100", "10"};
  const auto slots = SlotsToCombine(fields);
  ASSERT_FALSE(slots.ok());
  EXPECT_EQ(
      slots.error(),
      platform::Error("File 2 starts at 50, before the end of File 1; its lowest start is 100"));
  fields[1].start = "100";
  fields[2].start = "149";
  EXPECT_EQ(SlotsToCombine(fields).error().text,
            "File 3 starts at 149, before the end of File 2; its lowest start is 150");
}

TEST_F(Combination, FieldsWithoutNumbersAreNamed) {
  SlotTable fields;
  fields[0] = {MakeFile("a.bin", 100), "0", "100"};
  fields[4].length = "";  // even an unused slot's fields are read
  EXPECT_EQ(SlotsToCombine(fields).error(),
            platform::Error("Length of File 5: '' is not a valid integer value"));
  fields[4].length = "0";
  fields[0].length = "-1";
  EXPECT_EQ(SlotsToCombine(fields).error().text, "Length of File 1 is negative: -1");
  fields[0].length = "100";
  fields[0].start = "12";
  EXPECT_EQ(SlotsToCombine(fields).error().text, "File 1 starts at 12; it must start at 0");
}

TEST_F(Combination, FilesThatChangedSizeKeepTheirRecordedLength) {
  const auto a = MakeFile("a.bin", 10, 1), b = MakeFile("b.bin", 10, 101);
  const std::vector<Slot> slots = Picked({a, b});
  MakeFile("a.bin", 4, 1);     // shrank
  MakeFile("b.bin", 25, 101);  // grew
  const CombineOutcome outcome = CombineFiles(slots, In("out"), CodePage::Gbk936);
  const std::vector<std::uint8_t> expected = {1,   2,   3,   4,   0,   0,   0,   0,   0,   0,
                                              101, 102, 103, 104, 105, 106, 107, 108, 109, 110};
  EXPECT_EQ(Read("out.bin"), expected);
  EXPECT_EQ(outcome.warnings,
            std::vector<std::string>{"Warning: " + b +
                                     " has grown to 25 bytes since it was picked; only its first "
                                     "10 bytes were combined, 15 left out"});
  EXPECT_EQ(outcome.messages, std::vector{platform::Done("Combine over")});
}

TEST_F(Combination, ExistingOutputIsReplaced) {
  MakeFile("out.bin", 5000, 9);
  const auto a = MakeFile("a.bin", 10);
  const CombineOutcome outcome = CombineFiles(Picked({a}), In("out.bin"), CodePage::Gbk936);
  EXPECT_EQ(Read("out.bin"), Read("a.bin"));
  EXPECT_EQ(outcome.listing[0].substr(0, 26), "{0x00000000, 0x0000000A}, ");
}

TEST_F(Combination, OutputThatIsAlsoASlotIsReadBeforeItIsReplaced) {
  const auto a = MakeFile("a.bin", 10, 1), b = MakeFile("b.bin", 5, 11);
  CombineFiles(Picked({a, b}), a, CodePage::Gbk936);
  EXPECT_EQ(Read("a.bin").size(), 15u);
  EXPECT_EQ(Read("a.bin")[14], 15);
}

// Combined onto File 1 the output still begins with all of that file; anywhere else the
// file's own content would be lost, and so would a slot that the listing replaced.
TEST_F(Combination, OutputOverALaterSlotIsRefused) {
  const auto a = MakeFile("a.bin", 10, 1), b = MakeFile("b.bin", 5, 11);
  const auto listing = MakeFile("out-Addr.txt", 3, 7);
  const struct {
    std::string output;
    std::vector<std::string> slots;
    std::string refused_input;
  } cases[] = {
      {b, {a, b}, b},
      {In("out"), {a, listing}, listing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    const CombineOutcome outcome = CombineFiles(Picked(c.slots), c.output, CodePage::Gbk936);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_NE(outcome.messages[0].text.find("is also an input (" + c.refused_input + ")"),
              std::string::npos);
    EXPECT_FALSE(outcome.output_created);
  }
  EXPECT_EQ(Read("b.bin").size(), 5u);
  EXPECT_EQ(Read("out-Addr.txt").size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(In("out.bin")));
}

TEST_F(Combination, UnreadableSlotKeepsTheSlotsBeforeIt) {
  SlotTable fields;
  ASSERT_TRUE(PickFile(fields, 0, MakeFile("a.bin", 6)).ok());
  ASSERT_FALSE(PickFile(fields, 1, std::nullopt).ok());  // cancelled: "*.bin"
  const CombineOutcome outcome = CombineFiles(*SlotsToCombine(fields), In("out"), CodePage::Gbk936);
  EXPECT_TRUE(outcome.output_created);
  EXPECT_EQ(outcome.messages, std::vector{platform::Error("Can't open *.bin")});
  EXPECT_EQ(Read("out.bin"), Read("a.bin"));
  EXPECT_EQ(outcome.listing.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(In("out-Addr.txt")));
}

TEST_F(Combination, OutputThatCannotBeWritten) {
  const std::vector<Slot> slots = Picked({MakeFile("a.bin", 6)});
  struct Case {
    std::optional<std::string> chosen;
    platform::Message message;
  };
  const Case cases[] = {
      {std::string(), platform::Error("Error file's name")},
      {std::nullopt, platform::Error("Can't open *.bin")},
      {In("no/out"), platform::Error("Can't open " + In("no/out.bin"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.text);
    const CombineOutcome outcome = CombineFiles(slots, c.chosen, CodePage::Gbk936);
    EXPECT_FALSE(outcome.output_created);
    EXPECT_EQ(outcome.messages, std::vector{c.message});
  }
  EXPECT_FALSE(std::filesystem::exists("*.bin"));
}

TEST_F(Combination, ListingThatCannotBeWrittenStillEndsWithCombineOver) {
  std::filesystem::create_directory(In("out-Addr.txt"));
  const CombineOutcome outcome =
      CombineFiles(Picked({MakeFile("a.bin", 6)}), In("out.bin"), CodePage::Gbk936);
  EXPECT_EQ(outcome.messages, (std::vector{platform::Warning("The file might not be accessibl."),
                                           platform::Done("Combine over")}));
  EXPECT_EQ(Read("out.bin").size(), 6u);
}

TEST_F(Combination, ListingPathsAreWrittenInTheTextCodePage) {
  const auto a = MakeFile("图片.bin", 2);
  CombineFiles(Picked({a}), In("out.bin"), CodePage::Gbk936);
  const std::string expected =
      "{0x00000000, 0x00000002}, //" + platform::EncodeText(a, CodePage::Gbk936) + "\r\n";
  EXPECT_EQ(ListingText("out-Addr.txt"), expected);
  EXPECT_NE(expected.find("\xCD\xBC\xC6\xAC"), std::string::npos);
}

}  // namespace
}  // namespace combine
