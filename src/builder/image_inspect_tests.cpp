#include "builder/image_inspect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "builder/build_test_folder.h"
#include "builder/flash_image.h"
#include "builder/make_bin.h"

namespace builder {
namespace {

using testing::BinFolder;
using testing::EntryText;

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ImageInspectTest : public ::testing::Test {
 protected:
  // A flash image of one picture, one sound and one 82h command.
  std::vector<std::uint8_t> BuildImage(bool nand) {
    folder_.WriteResource("Picture-1.bin", 0x800);
    folder_.WriteAddressList("Picture-1-Addr.txt", {EntryText(32, 16, 0, 0x800, "a.png")});
    folder_.WriteResource("Wav-1.bin", 0x40);
    ResourceSet resources{{"Picture-1.bin", "Wav-1.bin"}, folder_.Folder(), HeaderSizeFor(nand)};
    auto build = PrepareBuild(resources, testing::ProjectLines({"82h:1,2,3"}),
                              {2025, 3, 3, 14, 5, 9}, [](const platform::Message&) {});
    EXPECT_TRUE(build.ok());
    EXPECT_TRUE(WriteFlashImage(folder_.File("Flash.bin"), *build).ok());
    return folder_.Read("Flash.bin");
  }

  BinFolder folder_;
};

TEST_F(ImageInspectTest, DescribesTheHeader) {
  for (bool nand : {false, true}) {
    SCOPED_TRACE(nand ? "NAND" : "NOR");
    auto report = InspectImage(BuildImage(nand));
    ASSERT_TRUE(report.ok());
    const std::uint32_t start = nand ? 0x20000 : 0x3000;
    EXPECT_EQ(report->header_size, start);
    EXPECT_TRUE(report->problems.empty());
    for (const std::string& line :
         {std::string("  XSIZE: 800"), std::string("  MrlType: MX-3"),
          std::string("Build time: 2025-03-03 14:05:09"),
          std::string("  82h at 0x1800, 1 records, 5 bytes"),
          "  0: 32x16 at 0x" + std::string(nand ? "00020000" : "00003000") + ", 0x00000800 bytes",
          "  0: at 0x" + std::string(nand ? "00020800" : "00003800") + ", 0x00000040 bytes"}) {
      EXPECT_TRUE(HasLine(report->lines, line)) << line;
    }
  }
}

TEST_F(ImageInspectTest, ReportsEntriesOutsideTheFile) {
  std::vector<std::uint8_t> image = BuildImage(false);
  image.resize(0x3000 + 0x100);  // the picture's bytes are cut off, the sound's are gone
  auto report = InspectImage(image);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report->problems, (std::vector<std::string>{
                                  "Picture 0 (0x00003000, 0x00000800 bytes) lies outside the file",
                                  "Sound 0 (0x00003800, 0x00000040 bytes) lies outside the file"}));
}

TEST_F(ImageInspectTest, AHeaderAloneIsNotChecked) {
  std::vector<std::uint8_t> image = BuildImage(true);
  image.resize(0x20000);
  auto report = InspectImage(image);
  ASSERT_TRUE(report.ok());
  EXPECT_TRUE(report->header_only);
  EXPECT_EQ(report->header_size, 0x20000u);
  EXPECT_TRUE(report->problems.empty());
}

TEST_F(ImageInspectTest, AShortFileIsNoImage) {
  EXPECT_FALSE(InspectImage(std::vector<std::uint8_t>(0x2FFF, 0xFF)).ok());
}

// Whatever the header holds, reading it stays inside the file.
TEST_F(ImageInspectTest, SurvivesDamagedHeaders) {
  std::mt19937 random(7);
  const std::vector<std::uint8_t> good = BuildImage(false);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::uint8_t> image = good;
    for (int i = 0; i < 64; ++i)
      image[random() % 0x1900] = static_cast<std::uint8_t>(random());
    if (round % 2)
      image.resize(0x20000 + random() % 0x100, 0x00);
    EXPECT_TRUE(InspectImage(image).ok());
  }
}

}  // namespace
}  // namespace builder
