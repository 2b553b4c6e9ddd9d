#include "bootimage/boot_image_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"

namespace bootimage {
namespace {
namespace fs = std::filesystem;

class BootImageFile : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("boot_image_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string In(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
  const std::vector<std::uint8_t> script_ = std::vector<std::uint8_t>(367, 0x11);
};

TEST_F(BootImageFile, NamesFollowTheOutputRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"Bootloader", "Bootloader.bin"},
      {"boot.BIN", "boot.BIN.bin"},
      {"boot.bin.old", "boot.bin.old"},
      {"boot.bin", "boot.bin"},
  };
  for (const auto& [chosen, written] : cases) {
    SCOPED_TRACE(chosen);
    EXPECT_EQ(SaveBootImage(In(chosen), script_), platform::Done("OK"));
    EXPECT_EQ(platform::ReadFileBytes(In(written)), script_);
  }
}

TEST_F(BootImageFile, ReplacesALongerOlderFile) {
  ASSERT_TRUE(platform::WriteFileAtomically(In("Bootloader.bin"), std::vector<std::uint8_t>(900)));
  EXPECT_EQ(SaveBootImage(In("Bootloader"), script_), platform::Done("OK"));
  EXPECT_EQ(fs::file_size(In("Bootloader.bin")), 367u);
}

TEST_F(BootImageFile, Failures) {
  EXPECT_EQ(SaveBootImage("", script_), platform::Error("Error file's name"));
  const std::string unreachable = In("missing/Bootloader.bin");
  EXPECT_EQ(SaveBootImage(unreachable, script_), platform::Error("Can't open " + unreachable));
  EXPECT_FALSE(fs::exists(In("missing")));
}

}  // namespace
}  // namespace bootimage
