#include "platform/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_io.h"

namespace platform {
namespace {

TEST(FolderListing, NamesAreOrderedAfterFoldingToUpperCase) {
  EXPECT_TRUE(ListingOrderLess("aZ", "a_b"));
  EXPECT_TRUE(ListingOrderLess("abc", "ABD"));
  EXPECT_TRUE(ListingOrderLess("B", "c"));
  EXPECT_FALSE(ListingOrderLess("c", "B"));
}

TEST(FolderListing, ListsFilesAndFoldersSorted) {
  const auto folder = std::filesystem::temp_directory_path() / "dravick-listing-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "Sub");
  for (const char* name : {"b.txt", "A.txt", "c.txt"})
    std::ofstream(folder / name) << "x";
  const auto entries = ListFolder(folder.string());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "A.txt");
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_EQ(entries[2].name, "c.txt");
  EXPECT_EQ(entries[3].name, "Sub");
  EXPECT_TRUE(entries[3].is_folder);
  EXPECT_TRUE(ListFolder((folder / "missing").string()).empty());
  std::filesystem::remove_all(folder);
}

TEST(FileIo, AtomicWriteReplacesAndNeverLeavesATemporaryFile) {
  const auto folder = std::filesystem::temp_directory_path() / "dravick-io-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "out.bin").string();
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>(100, 1)));
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<std::uint8_t>{2, 3}));
  EXPECT_EQ(*ReadFileBytes(path), (std::vector<std::uint8_t>{2, 3}));
  EXPECT_FALSE(
      WriteFileAtomically((folder / "no" / "x.bin").string(), std::vector<std::uint8_t>{1}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace platform
