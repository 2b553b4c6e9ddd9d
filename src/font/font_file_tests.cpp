#include "font/font_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/file_io.h"

namespace font {
namespace {

class FontFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("font_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string In(const std::string& name) const { return (folder_ / name).string(); }
  std::filesystem::path folder_;
};

TEST_F(FontFileTest, NamesFollowTheBinRule) {
  const platform::Bytes bytes{1, 2, 3};
  const struct {
    std::string chosen, written;
  } cases[] = {{"Font_C1_16", "Font_C1_16.bin"},
               {"Font_C1_16.bin", "Font_C1_16.bin"},
               {"Font.BIN", "Font.BIN.bin"},
               {"a.bin.old", "a.bin.old"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    const auto path = WriteFontFile(bytes, In(c.chosen));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, In(c.written));
    EXPECT_EQ(platform::ReadFileBytes(*path), bytes);
  }
}

TEST_F(FontFileTest, ReplacesAnExistingFileWhole) {
  ASSERT_TRUE(WriteFontFile(platform::Bytes(100, 7), In("f.bin")));
  ASSERT_TRUE(WriteFontFile(platform::Bytes{9}, In("f.bin")));
  EXPECT_EQ(platform::ReadFileBytes(In("f.bin")), (platform::Bytes{9}));
}

TEST_F(FontFileTest, FailuresCarryTheWindowsTexts) {
  EXPECT_EQ(WriteFontFile(platform::Bytes{1}, "").error().text, "Error file's name");
  EXPECT_EQ(WriteFontFile(platform::Bytes{1}, In("missing/f")).error().text,
            "open Creat file error!\n");
}

TEST(GlyphByteListing, EightEntriesALine) {
  platform::Bytes bytes(10, 0xAB);
  bytes[0] = 0x05;
  EXPECT_EQ(GlyphByteListing(bytes),
            "0x05, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, \r\n0xAB, 0xAB, ");
  EXPECT_EQ(GlyphByteListing(platform::Bytes(32)).size(), 32u * 6u + 4u * 2u);
}

}  // namespace
}  // namespace font
