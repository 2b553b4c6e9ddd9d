#include "builder/resource_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder/build_test_folder.h"
#include "builder/header_bytes.h"

namespace builder {
namespace {

using testing::BinFolder;
using testing::EntryText;

class ResourceTablesTest : public ::testing::Test {
 protected:
  // Runs the passes over `names` in a header of the build's size.
  platform::Result<TableOutcome> Fill(const std::vector<std::string>& names, bool nand = false) {
    header_.assign(nand ? kNandHeaderSize : kNorHeaderSize, 0xFF);
    shown_.clear();
    ResourceSet resources{names, folder_.Folder(), header_.size()};
    return FillResourceTables(resources, header_, [this](const platform::Message& message) {
      shown_.push_back(message.text);
    });
  }
  std::vector<std::uint8_t> HeaderBytes(std::size_t at, std::size_t count) const {
    return {header_.begin() + static_cast<long>(at),
            header_.begin() + static_cast<long>(at + count)};
  }
  // A resource of `pictures` entries of 0x10 bytes each, and its address list.
  void WritePictures(const std::string& stem, int pictures, bool gif_comment = false) {
    std::vector<std::string> lines;
    if (gif_comment)
      lines.push_back("//GIF " + stem + ".gif");
    for (int i = 0; i < pictures; ++i)
      lines.push_back(EntryText(4, 2, 0x10u * static_cast<unsigned>(i), 0x10, "p.png"));
    folder_.WriteResource(stem + ".bin", 0x10u * static_cast<unsigned>(pictures));
    folder_.WriteAddressList(stem + "-Addr.txt", lines);
  }

  BinFolder folder_;
  HeaderBuffer header_;
  std::vector<std::string> shown_;
};

TEST_F(ResourceTablesTest, PictureEntryAndListingLine) {
  folder_.WriteResource("Picture-1.bin", 0xBB800);
  folder_.WriteAddressList("Picture-1-Addr.txt", {EntryText(800, 480, 0, 0xBB800, "a.png")});
  auto outcome = Fill({"Picture-1.bin"});
  ASSERT_TRUE(outcome.ok()) << outcome.error().text;
  EXPECT_EQ(outcome->picture_count, 1);
  EXPECT_EQ(HeaderBytes(0x600, 14),
            (std::vector<std::uint8_t>{0x00, 0x01, 0x03, 0x20, 0x01, 0xE0, 0x00, 0x00, 0x30, 0x00,
                                       0x00, 0x0B, 0xB8, 0x00}));
  EXPECT_EQ(outcome->listing,
            std::vector<std::string>{"{800,480,0x00003000,0x000BB800},//a.png---Picture No.0"});
}

TEST_F(ResourceTablesTest, KindsArePlacedInTheirOrderWhateverTheListOrder) {
  folder_.WriteResource("Gif-1.bin", 0x10);
  folder_.WriteAddressList("Gif-1-Addr.txt", {"//GIF a.gif", EntryText(4, 2, 0, 0x10, "a")});
  folder_.WriteResource("Picture-a.bin", 0x1000);
  folder_.WriteAddressList("Picture-a-Addr.txt", {EntryText(4, 2, 0, 0x1000, "a")});
  folder_.WriteResource("Picture-b.bin", 0x2000);
  folder_.WriteAddressList("Picture-b-Addr.txt", {EntryText(4, 2, 0x100, 0x1000, "b")});
  for (bool nand : {false, true}) {
    SCOPED_TRACE(nand ? "NAND" : "NOR");
    const std::uint32_t start = nand ? 0x20000 : 0x3000;
    auto outcome = Fill({"Gif-1.bin", "Picture-a.bin", "Picture-b.bin"}, nand);
    ASSERT_TRUE(outcome.ok()) << outcome.error().text;
    EXPECT_EQ(GetBigEndian(header_, PictureEntryAt(0) + 4, 4), start);
    EXPECT_EQ(GetBigEndian(header_, PictureEntryAt(1) + 4, 4), start + 0x1100);
    EXPECT_EQ(GetBigEndian(header_, PictureEntryAt(2) + 4, 4), start + 0x3000);
    EXPECT_EQ(outcome->gifs, (RangeTable{{2, 2}}));
  }
}

TEST_F(ResourceTablesTest, GifRangesAndNumberSets) {
  WritePictures("Picture-x", 5);
  WritePictures("Gif-a", 10, true);
  WritePictures("Picture-y", 5);
  WritePictures("Number-n", 12);
  auto outcome = Fill({"Number-n.bin", "Picture-x.bin", "Gif-a.bin", "Picture-y.bin"});
  ASSERT_TRUE(outcome.ok()) << outcome.error().text;
  EXPECT_EQ(outcome->picture_count, 32);
  EXPECT_EQ(outcome->gifs, (RangeTable{{10, 19}}));
  EXPECT_EQ(outcome->numbers, (RangeTable{{20, 31}}));
  EXPECT_EQ(outcome->listing[10], "{4,2,0x000030A0,0x00000010},//p.png");
}

TEST_F(ResourceTablesTest, AGifOfSeveralAnimationsIsOneRange) {
  folder_.WriteResource("Gif-two.bin", 0x30);
  folder_.WriteAddressList("Gif-two-Addr.txt",
                           {"//GIF a.gif", EntryText(4, 2, 0, 0x10, "a-Frames0"),
                            EntryText(4, 2, 0x10, 0x10, "a-Frames1"), "//GIF b.gif",
                            EntryText(4, 2, 0x20, 0x10, "b-Frames0")});
  auto outcome = Fill({"Gif-two.bin"});
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome->picture_count, 3);
  EXPECT_EQ(outcome->gifs, (RangeTable{{0, 2}}));
}

TEST_F(ResourceTablesTest, FilesThatMakeNoEntries) {
  folder_.WriteResource("picture-1.bin", 0x100);  // no kind: lower case
  folder_.WriteResource("Picture-empty.bin", 0);
  WritePictures("Picture-p", 1);
  auto outcome =
      Fill({"picture-1.bin", "Picture-missing.bin", "Picture-empty.bin", "Picture-p.bin"});
  ASSERT_TRUE(outcome.ok()) << outcome.error().text;
  EXPECT_EQ(outcome->picture_count, 1);
  EXPECT_EQ(GetBigEndian(header_, PictureEntryAt(0) + 4, 4), 0x3000u);
}

TEST_F(ResourceTablesTest, AnUnreadableAddressListStopsTheBuild) {
  folder_.WriteResource("Picture-1.bin", 0x10);
  auto outcome = Fill({"Picture-1.bin"});
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().text, "Open " + folder_.File("Picture-1-Addr.txt") + " fail!");
}

// An entry past the end of its .bin would send the module into the next resource.
TEST_F(ResourceTablesTest, AListEntryMustLieInsideItsFile) {
  const struct {
    std::uint32_t offset, size;
    bool fits;
  } cases[] = {
      {0xF00, 0x100, true},  {0x1000, 0, true},    {0xF00, 0x101, false},
      {32, 0x1000, false},   {0xFFFFFFFF, 2, false},
  };
  folder_.WriteResource("Picture-a.bin", 0x1000);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    folder_.WriteAddressList("Picture-a-Addr.txt", {EntryText(4, 2, 0, 0x10, "ok.png"),
                                                    EntryText(32, 64, c.offset, c.size, "p.png")});
    auto outcome = Fill({"Picture-a.bin"});
    EXPECT_EQ(outcome.ok(), c.fits);
    if (!c.fits && c.offset == 0xF00) {
      EXPECT_EQ(outcome.error().text,
                folder_.File("Picture-a-Addr.txt") +
                    ", line 2: the entry at 0x00000F00 of 0x00000101 bytes ends past the end of "
                    "Picture-a.bin (4096 bytes); the address list does not match its .bin");
    }
  }
}

TEST_F(ResourceTablesTest, FontSlotsFromTheName) {
  const struct {
    const char* name;
    FontSlot slot;
  } cases[] = {{"Font_C1_24.bin", {1, 24}}, {"Font_D3_16.bin", {7, 16}},
               {"Font.bin", {0, 255}},      {"Font_D9_x2.bin", {4, 2}},
               {"Font_A1_12.bin", {0, 12}}, {"Font_C3_16.bin", {3, 16}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FontSlotOf(c.name), c.slot);
  }
}

TEST_F(ResourceTablesTest, FontWavAndCursorEntries) {
  WritePictures("Picture-p", 1);
  folder_.WriteResource("Font_D3_16.bin", 0x100);
  folder_.WriteResource("Wav-a.bin", 0x20);
  folder_.WriteResource("Wav-b.bin", 0x30);
  folder_.WriteResource("Cursor-1.bin", 256);
  auto outcome =
      Fill({"Cursor-1.bin", "Wav-a.bin", "Wav-b.bin", "Font_D3_16.bin", "Picture-p.bin"});
  ASSERT_TRUE(outcome.ok()) << outcome.error().text;
  EXPECT_EQ(HeaderBytes(0x1600 + 9 * 7, 9),
            (std::vector<std::uint8_t>{16, 0x00, 0x00, 0x30, 0x10, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(HeaderBytes(0x1700, 18),
            (std::vector<std::uint8_t>{0, 0, 0, 0x31, 0x10, 0, 0, 0, 0x20,  //
                                       1, 0, 0, 0x31, 0x30, 0, 0, 0, 0x30}));
  EXPECT_EQ(HeaderBytes(0x1780, 8), (std::vector<std::uint8_t>{0, 0, 0x31, 0x60, 0, 0, 1, 0}));
  EXPECT_EQ(header_[0x1600], 0xFF);  // slot 0 stays empty
  EXPECT_EQ(
      outcome->listing,
      (std::vector<std::string>{
          "{4,2,0x00003000,0x00000010},//p.png---Picture No.0",
          "{16,0x00003010,0x00000100},//Font_D3_16.bin", "{0,0x00003110,0x00000020},//Wav-a.bin",
          "{1,0x00003130,0x00000030},//Wav-b.bin", "{0x00003160,0x00000100},//Cursor-1.bin"}));
}

TEST_F(ResourceTablesTest, SixteenGifsPassWithTheMessageASeventeenthStops) {
  std::vector<std::string> names;
  for (int i = 0; i < 17; ++i) {
    const std::string stem = "Gif-" + std::string(1, static_cast<char>('a' + i));
    WritePictures(stem, 1, true);
    names.push_back(stem + ".bin");
  }
  auto sixteen = Fill({names.begin(), names.end() - 1});
  ASSERT_TRUE(sixteen.ok());
  EXPECT_EQ(shown_, std::vector<std::string>{"Gif number is over than 10"});
  EXPECT_EQ(sixteen->gifs.size(), 16u);

  auto seventeen = Fill(names);
  ASSERT_FALSE(seventeen.ok());
  EXPECT_NE(seventeen.error().text.find("Gif-q.bin is the 17th"), std::string::npos);
}

TEST_F(ResourceTablesTest, PictureEntriesBeyondTheHeaderStopTheBuild) {
  WritePictures("Picture-many", 342);
  auto nor = Fill({"Picture-many.bin"});
  ASSERT_FALSE(nor.ok());
  EXPECT_NE(nor.error().text.find("holds 341 picture entries"), std::string::npos);

  auto nand = Fill({"Picture-many.bin"}, true);
  ASSERT_TRUE(nand.ok()) << nand.error().text;
  EXPECT_EQ(GetBigEndian(header_, 0x15F2 + 4, 4), 0x20000u + 340 * 0x10);
  EXPECT_EQ(GetBigEndian(header_, 0x7000 + 4, 4), 0x20000u + 341 * 0x10);
}

TEST_F(ResourceTablesTest, WavAndCursorTablesHaveTheirLimits) {
  const struct {
    const char* prefix;
    int allowed;
    const char* message;
  } cases[] = {{"Wav-", 14, "the WAV table holds 14 entries"},
               {"Cursor-", 16, "the cursor table holds 16 entries"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prefix);
    std::vector<std::string> names;
    for (int i = 0; i <= c.allowed; ++i) {
      names.push_back(c.prefix + std::to_string(100 + i) + ".bin");
      folder_.WriteResource(names.back(), 4);
    }
    EXPECT_TRUE(Fill({names.begin(), names.end() - 1}).ok());
    auto over = Fill(names);
    ASSERT_FALSE(over.ok());
    EXPECT_NE(over.error().text.find(c.message), std::string::npos);
    EXPECT_NE(over.error().text.find(names.back()), std::string::npos);
  }
}

}  // namespace
}  // namespace builder
