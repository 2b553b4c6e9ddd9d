#include "combine/slot_table.h"

#include "combine/combine_test_folder.h"

namespace combine {
namespace {

using SlotTableTests = CombineTestFolder;

TEST_F(SlotTableTests, PickedFilesChainOneBehindAnother) {
  SlotTable slots;
  ASSERT_TRUE(PickFile(slots, 0, MakeFile("a.bin", 100)).ok());
  ASSERT_TRUE(PickFile(slots, 1, MakeFile("b.bin", 50)).ok());
  ASSERT_TRUE(PickFile(slots, 2, MakeFile("c.bin", 10)).ok());
  EXPECT_EQ(slots[0], (SlotFields{In("a.bin"), "0", "100"}));
  EXPECT_EQ(slots[1], (SlotFields{In("b.bin"), "100", "50"}));
  EXPECT_EQ(slots[2], (SlotFields{In("c.bin"), "150", "10"}));
}

TEST_F(SlotTableTests, RepickingFileOneEmptiesSlotsTwoAndThreeOnly) {
  SlotTable slots;
  for (int slot = 0; slot < 4; ++slot)
    ASSERT_TRUE(PickFile(slots, slot, MakeFile("f" + std::to_string(slot), 10)).ok());
  ASSERT_TRUE(PickFile(slots, 0, MakeFile("new.bin", 7)).ok());
  EXPECT_EQ(slots[0], (SlotFields{In("new.bin"), "0", "7"}));
  EXPECT_EQ(slots[1], SlotFields{});
  EXPECT_EQ(slots[2], SlotFields{});
  EXPECT_EQ(slots[3], (SlotFields{In("f3"), "30", "10"}));
}

TEST_F(SlotTableTests, UnreadablePicksKeepStartAndLength) {
  SlotTable slots;
  ASSERT_TRUE(PickFile(slots, 0, MakeFile("a.bin", 100)).ok());
  slots[1] = {In("old.bin"), "300", "20"};
  std::filesystem::create_directory(In("folder.bin"));
  struct Case {
    std::optional<std::string> chosen;
    std::string shown;
  };
  const Case cases[] = {
      {std::nullopt, "*.bin"},  // cancelled
      {std::string(), "*.bin"},
      {In("missing.bin"), In("missing.bin")},
      {In("folder.bin"), In("folder.bin")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    const auto picked = PickFile(slots, 1, c.chosen);
    ASSERT_FALSE(picked.ok());
    EXPECT_EQ(picked.error(), platform::Error("The file might not be accessibl."));
    EXPECT_EQ(slots[1], (SlotFields{c.shown, "300", "20"}));
  }
}

TEST_F(SlotTableTests, PreviousFieldsWithoutNumbersStopThePick) {
  SlotTable slots;
  slots[0] = {In("a.bin"), "0", ""};
  slots[1] = {In("old.bin"), "300", "20"};
  const auto picked = PickFile(slots, 1, MakeFile("b.bin", 5));
  ASSERT_FALSE(picked.ok());
  EXPECT_EQ(picked.error(), platform::Error("Fail to Open the file"));
  EXPECT_EQ(slots[1], (SlotFields{In("b.bin"), "300", "20"}));
}

TEST(Rechain, MovesEveryFollowingSlotInUse) {
  SlotTable slots;
  slots[0] = {"a", "0", "100"};
  slots[1] = {"b", "4096", "50"};
  slots[2] = {"c", "150", "10"};
  slots[3] = {"d", "160", "5"};
  slots[5] = {"f", "999", "1"};  // behind an unused slot: left alone
  ASSERT_TRUE(Rechain(slots, 1).ok());
  EXPECT_EQ(slots[2].start, "4146");
  EXPECT_EQ(slots[3].start, "4156");
  EXPECT_EQ(slots[5].start, "999");
}

TEST(Rechain, UnusedSlotIsReset) {
  SlotTable slots;
  slots[2] = {"", "77", "8"};
  ASSERT_TRUE(Rechain(slots, 2).ok());
  EXPECT_EQ(slots[2], SlotFields{});
}

TEST(Rechain, EmptiedStartStopsWithAMessage) {
  SlotTable slots;
  slots[0] = {"a", "0", "100"};
  slots[1] = {"b", "", "50"};
  slots[2] = {"c", "150", "10"};
  const auto chained = Rechain(slots, 1);
  ASSERT_FALSE(chained.ok());
  EXPECT_EQ(chained.error(),
            platform::Error("Start Address of File 2: '' is not a valid integer value"));
  EXPECT_EQ(slots[2].start, "150");
}

}  // namespace
}  // namespace combine
