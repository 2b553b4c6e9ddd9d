#pragma once
// A scratch folder for combiner tests, with small files of chosen sizes.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/file_io.h"

namespace combine {

class CombineTestFolder : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("combine_") + info->test_suite_name() + "_" + info->name() + "_" +
               std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string In(const std::string& name) const { return (folder_ / name).string(); }

  // A file of `size` bytes counting up from `first`, so files are told apart.
  std::string MakeFile(const std::string& name, std::size_t size, std::uint8_t first = 1) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
      bytes[i] = static_cast<std::uint8_t>(first + i);
    EXPECT_TRUE(platform::WriteFileAtomically(In(name), bytes));
    return In(name);
  }

  std::filesystem::path folder_;
};

}  // namespace combine
