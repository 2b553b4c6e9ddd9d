#include "builder/make_bin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "builder/build_test_folder.h"
#include "builder/flash_image.h"
#include "builder/header_bytes.h"

namespace builder {
namespace {

using testing::BinFolder;
using testing::EntryText;
using testing::ProjectLines;

const BuildTime kBuildTime{2025, 3, 3, 14, 5, 9};

class MakeBinTest : public ::testing::Test {
 protected:
  MakeBinTest() {
    folder_.WriteResource("Picture-1.bin", 0x1000, 0x11);
    folder_.WriteAddressList("Picture-1-Addr.txt", {EntryText(32, 16, 0, 0x1000, "a.png")});
  }

  platform::Result<PreparedBuild> Prepare(const std::vector<std::string>& names, bool nand = false,
                                          const CommandList& commands = ProjectLines()) {
    shown_.clear();
    ResourceSet resources{names, folder_.Folder(), HeaderSizeFor(nand)};
    return PrepareBuild(resources, commands, kBuildTime, [this](const platform::Message& message) {
      shown_.push_back(message.text);
    });
  }

  // Prepares and writes the flash image "Flash.bin"; the bytes, or empty on failure.
  std::vector<std::uint8_t> Flash(const std::vector<std::string>& names, bool nand = false) {
    auto build = Prepare(names, nand);
    EXPECT_TRUE(build.ok()) << build.error().text;
    if (!build.ok())
      return {};
    EXPECT_TRUE(WriteFlashImage(folder_.File("Flash.bin"), *build).ok());
    return folder_.Read("Flash.bin");
  }

  BinFolder folder_;
  std::vector<std::string> shown_;
};

TEST_F(MakeBinTest, NorAndNandImagesOfOnePicture) {
  for (bool nand : {false, true}) {
    SCOPED_TRACE(nand ? "NAND" : "NOR");
    const std::size_t header = nand ? 0x20000 : 0x3000;
    const std::vector<std::uint8_t> image = Flash({"Picture-1.bin"}, nand);
    ASSERT_EQ(image.size(), header + 0x1000);
    EXPECT_TRUE(
        std::all_of(image.begin(), image.begin() + 0x400, [](auto b) { return b == 0xFF; }));
    EXPECT_EQ(image[0x400], 0x16);  // PCVersion 16
    EXPECT_EQ(GetBigEndian(image, 0x600, 2), 1u);
    EXPECT_EQ(GetBigEndian(image, PictureEntryAt(0) + 4, 4), header);
    EXPECT_EQ(image[header], 0x11);
    EXPECT_EQ(image.back(), 0x11);
    EXPECT_TRUE(shown_.empty());
  }
}

TEST_F(MakeBinTest, StampsTheBuildTime) {
  auto build = Prepare({"Picture-1.bin"});
  ASSERT_TRUE(build.ok());
  EXPECT_EQ(std::vector<std::uint8_t>(build->header.begin() + 0x423, build->header.begin() + 0x42A),
            (std::vector<std::uint8_t>{0x03, 0x03, 0x14, 0x19, 0x0E, 0x05, 0x09}));
}

TEST_F(MakeBinTest, EncodesTheUserCommands) {
  auto build = Prepare({"Picture-1.bin"}, false, ProjectLines({"82h: 1, 0x1234, 5, 6"}));
  ASSERT_TRUE(build.ok()) << build.error().text;
  EXPECT_EQ(GetBigEndian(build->header, 0x208, 4), 0x18000106u);
  EXPECT_EQ(GetBigEndian(build->header, 0x1800, 4), 0x01123400u);
}

TEST_F(MakeBinTest, BootRegion) {
  const struct {
    std::vector<std::string> boot_files;
    std::size_t size;
    std::size_t copied;  // bytes of the boot image in the region
    std::vector<std::string> shown;
  } cases[] = {
      {{"Bootloader.bin"}, 512, 512, {}},
      {{"Bootloader.bin"}, 100, 100, {}},
      {{"Bootloader.bin"}, 513, 0, {"The bootloader files is too large!"}},
      {{"Bootloader.bin", "Bootloader2.bin"}, 100, 0, {"There are too much bootloader files!"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    std::vector<std::string> names{"Picture-1.bin"};
    for (const std::string& boot : c.boot_files) {
      folder_.WriteResource(boot, c.size, 0xA5);
      names.push_back(boot);
    }
    auto build = Prepare(names);
    ASSERT_TRUE(build.ok());
    EXPECT_EQ(shown_, c.shown);
    const auto region = std::span(build->header).first(0x200);
    EXPECT_EQ(std::count(region.begin(), region.end(), 0xA5), static_cast<long>(c.copied));
    EXPECT_EQ(std::count(region.begin(), region.end(), 0xFF), static_cast<long>(0x200 - c.copied));
  }
}

TEST_F(MakeBinTest, StopsBeforeTheTablesWhenThereIsNothingToBuild) {
  auto both = Prepare({}, false, CommandList{"[INFO]"});
  ASSERT_FALSE(both.ok());
  EXPECT_EQ(shown_, std::vector<std::string>{"There aren't any picture data!"});
  EXPECT_EQ(both.error().text, "There aren't any info data!");

  auto no_resources = Prepare({});
  ASSERT_FALSE(no_resources.ok());
  EXPECT_EQ(no_resources.error().text, "There aren't any picture data!");

  auto ten_lines = Prepare({"Picture-1.bin"}, false, CommandList(10, "[INFO]"));
  ASSERT_FALSE(ten_lines.ok());
  EXPECT_EQ(ten_lines.error().text, "Module info error!");
}

TEST_F(MakeBinTest, UserInfoNames) {
  const struct {
    const char* chosen;
    const char* header;
    const char* listing;
  } cases[] = {{"UserInfo", "UserInfo.bin", "UserInfo.txt"},
               {"UserInfo.bin", "UserInfo.bin", "UserInfo.bin.txt"},
               {"out/Info.txt", "out/Info.txt.bin", "out/Info.txt"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    auto paths = UserInfoPathsFor(c.chosen);
    ASSERT_TRUE(paths.ok());
    EXPECT_EQ(paths->header, c.header);
    EXPECT_EQ(paths->listing, c.listing);
  }
  EXPECT_EQ(UserInfoPathsFor("").error().text, "Error file's name");
}

TEST_F(MakeBinTest, WritesTheUserInfoHeaderAndListing) {
  auto build = Prepare({"Picture-1.bin"});
  ASSERT_TRUE(build.ok());
  const UserInfoPaths paths{folder_.File("UserInfo.bin"), folder_.File("UserInfo.txt")};
  ASSERT_TRUE(WriteUserInfo(paths, *build, platform::CodePage::Gbk936).ok());
  EXPECT_EQ(folder_.Read("UserInfo.bin"), build->header);
  const std::string expected = "{32,16,0x00003000,0x00001000},//a.png---Picture No.0\r\n";
  EXPECT_EQ(folder_.Read("UserInfo.txt"),
            std::vector<std::uint8_t>(expected.begin(), expected.end()));

  const UserInfoPaths unwritable{folder_.File("no/UserInfo.bin"), folder_.File("no/UserInfo.txt")};
  EXPECT_EQ(WriteUserInfo(unwritable, *build, platform::CodePage::Gbk936).error().text,
            "open Creat file error!\n");
}

TEST_F(MakeBinTest, AResourceThatCannotBeReadLeavesNoImageAndKeepsThePreviousOne) {
  folder_.Write("Flash.bin", std::string("previous"));
  folder_.WriteResource("Wav-1.bin", 4);
  auto build = Prepare({"Picture-1.bin", "Wav-1.bin"});
  ASSERT_TRUE(build.ok());
  std::filesystem::remove(folder_.File("Wav-1.bin"));
  int pauses = 0;
  auto written = WriteFlashImage(folder_.File("Flash.bin"), *build, [&] { ++pauses; });
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().text, "Can't open " + folder_.File("Wav-1.bin"));
  EXPECT_EQ(pauses, 1);  // found missing before the image file is made
  const std::string previous = "previous";
  EXPECT_EQ(folder_.Read("Flash.bin"), std::vector<std::uint8_t>(previous.begin(), previous.end()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Folder()),
                          std::filesystem::directory_iterator()),
            3);  // no temporary file left beside it
}

TEST_F(MakeBinTest, AResourceThatChangedSizeSinceItWasPlacedIsRefused) {
  folder_.WriteResource("Wav-1.bin", 4);
  auto build = Prepare({"Picture-1.bin", "Wav-1.bin"});
  ASSERT_TRUE(build.ok());
  folder_.WriteResource("Picture-1.bin", 0x1001);
  auto written = WriteFlashImage(folder_.File("Flash.bin"), *build);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().text.rfind(folder_.File("Picture-1.bin") + " changed", 0), 0u);
  EXPECT_FALSE(folder_.Exists("Flash.bin"));
}

TEST_F(MakeBinTest, NoOutputMayReplaceAnInput) {
  folder_.Write("project.txt", std::string("[INFO]"));
  auto build = Prepare({"Picture-1.bin"});
  ASSERT_TRUE(build.ok());
  const std::string project = folder_.File("project.txt");
  const struct {
    std::string userinfo;  // the name chosen in the UserInfo dialog
    std::string flash;
    std::string input;  // the input named in the refusal, or empty
  } cases[] = {
      {"UserInfo", "Flash.bin", ""},
      {"Picture-1", "Flash.bin", "Picture-1.bin"},
      {"Picture-1-Addr", "Flash.bin", "Picture-1-Addr.txt"},
      {"UserInfo", "Picture-1.bin", "Picture-1.bin"},
      {"UserInfo", "sub/../Picture-1-Addr.txt", "Picture-1-Addr.txt"},
      {"project.txt", "Flash.bin", "project.txt"},  // the listing keeps a name holding ".txt"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.userinfo + " " + c.flash);
    std::filesystem::create_directories(folder_.File("sub"));
    const auto paths = UserInfoPathsFor(folder_.File(c.userinfo));
    const auto refused = RefuseBuildOverInputs(*paths, folder_.File(c.flash), *build, project);
    EXPECT_EQ(refused.ok(), c.input.empty());
    if (!c.input.empty()) {
      EXPECT_NE(refused.error().text.find("is also an input (" + folder_.File(c.input) + ")"),
                std::string::npos)
          << refused.error().text;
    }
  }
}

TEST_F(MakeBinTest, NamesOfNoKindAreNotAppended) {
  folder_.WriteResource("UserInfo.bin", 0x3000);
  folder_.WriteResource("Dravick_Flash.bin", 0x4000);
  EXPECT_EQ(Flash({"Dravick_Flash.bin", "Picture-1.bin", "UserInfo.bin"}).size(), 0x4000u);
}

}  // namespace
}  // namespace builder
