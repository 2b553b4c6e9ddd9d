#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/interrupt_cleanup.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const tools::TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReadFile, RefusesWhatIsNotARegularFileWithinTheLimit) {
  tools::TempFolder folder;
  folder.Write("small.bin", std::vector<std::uint8_t>{1, 2, 3});
  folder.Write("empty.bin", std::vector<std::uint8_t>{});
  folder.Write("big.bin", std::vector<std::uint8_t>(kMiB + 1, 7));
  fs::create_directory(folder.File("x.png"));
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
  struct Case {
    std::string name;
    std::string error;  // empty: read
    std::size_t size = 0;
  };
  const Case cases[] = {
      {"small.bin", "", 3},
      {"empty.bin", "", 0},
      {"x.png", "is a folder, not a file"},
      {"pipe", "is not a regular file"},  // and the open does not wait for a writer
      {"missing.bin", "No such file or directory"},
      {"big.bin", "is 1048577 bytes, over the 1 MiB limit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto read = ReadFile(folder.File(c.name), kMiB);
    if (c.error.empty()) {
      ASSERT_TRUE(read.ok()) << read.error().text;
      EXPECT_EQ(read->size(), c.size);
    } else {
      ASSERT_FALSE(read.ok());
      EXPECT_EQ(read.error().text, c.error);
    }
  }
}

TEST(FileReader, ReadsPartsAndStopsAtTheEnd) {
  tools::TempFolder folder;
  folder.Write("f.bin", std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  auto reader = FileReader::Open(folder.File("f.bin"));
  ASSERT_TRUE(reader.ok());
  EXPECT_EQ(reader->Size(), 10u);
  EXPECT_EQ(*reader->Read(8, 100), (Bytes{8, 9}));
  EXPECT_EQ(*reader->Read(3, 2), (Bytes{3, 4}));
  EXPECT_TRUE(reader->Read(10, 5)->empty());
  EXPECT_TRUE(reader->Read(~std::uint64_t{0}, 5)->empty());
}

TEST(OutputFile, AppearsOnlyWhenCommitted) {
  tools::TempFolder folder;
  folder.Write("out.bin", std::vector<std::uint8_t>{9, 9});
  {
    auto out = OutputFile::Create(folder.File("out.bin"));
    ASSERT_TRUE(out.ok());
    ASSERT_TRUE(out->Write(Bytes{1, 2, 3}).ok());
    EXPECT_EQ(folder.Read("out.bin"), (Bytes{9, 9}));  // the old file stays meanwhile
    EXPECT_EQ(Names(folder).size(), 2u);
  }  // dropped uncommitted
  EXPECT_EQ(Names(folder), std::vector<std::string>{"out.bin"});
  EXPECT_EQ(folder.Read("out.bin"), (Bytes{9, 9}));

  auto out = OutputFile::Create(folder.File("out.bin"));
  ASSERT_TRUE(out->Write(Bytes{1, 2, 3}).ok());
  ASSERT_TRUE(out->Reserve(1000).ok());
  ASSERT_TRUE(out->Write(Bytes{4}).ok());
  ASSERT_TRUE(out->Commit().ok());
  EXPECT_EQ(folder.Read("out.bin"), (Bytes{1, 2, 3, 4}));  // nothing of the reservation
  EXPECT_EQ(Names(folder), std::vector<std::string>{"out.bin"});
}

TEST(OutputFile, LongestLegalNamesWork) {
  tools::TempFolder folder;
  for (std::size_t length : {251u, 255u}) {
    SCOPED_TRACE(length);
    std::string name(length - 4, 'n');
    name += ".bin";
    EXPECT_LE(fs::path(TemporaryPathFor(folder.File(name), 4294967295u)).filename().string().size(),
              255u);
    ASSERT_TRUE(WriteFile(folder.File(name), Bytes{1}).ok());
    EXPECT_EQ(folder.Read(name), Bytes{1});
  }
  // A name cut for the temporary file never splits a character.
  std::string wide(84, 'a');
  for (int i = 0; i < 57; ++i)
    wide += "图";  // 3 bytes each: 255 in all
  const std::string temporary =
      fs::path(TemporaryPathFor(folder.File(wide), 7)).filename().string();
  EXPECT_LE(temporary.size(), 255u);
  EXPECT_EQ((temporary.find(".tmp") - 84) % 3, 0u);
}

TEST(OutputFile, AFailedWriteLeavesOnlyWholeItems) {
  tools::TempFolder folder;
  auto out = OutputFile::Create(folder.File("r.bin"));
  ASSERT_TRUE(out.ok());
  Result<Ok> second = Ok{};
  {
    const tools::FileSizeLimit full_disk(1000);
    EXPECT_TRUE(out->Write(Bytes(600, 1)).ok());
    second = out->Write(Bytes(600, 2));
  }
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.error().text, "File too large");
  EXPECT_EQ(out->Size(), 600u);
  ASSERT_TRUE(out->Commit().ok());
  EXPECT_EQ(folder.Read("r.bin"), Bytes(600, 1));
}

TEST(OutputFile, ReservingMoreThanTheDiskHoldsFailsAtOnce) {
  tools::TempFolder folder;
  auto out = OutputFile::Create(folder.File("huge.bin"));
  ASSERT_TRUE(out.ok());
  const auto reserved = out->Reserve(std::uint64_t{1} << 50);
  ASSERT_FALSE(reserved.ok());
  EXPECT_NE(reserved.error().text.find("bytes needed"), std::string::npos);
  out->Discard();
  EXPECT_TRUE(Names(folder).empty());
}

TEST(OutputFile, UnwritableFolders) {
  tools::TempFolder folder;
  fs::create_directory(folder.File("dir.bin"));
  EXPECT_EQ(WriteFile(folder.File("no/x.bin"), Bytes{1}).error().text, "No such file or directory");
  EXPECT_EQ(WriteFile(folder.File("dir.bin"), Bytes{1}).error().text, "Is a directory");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"dir.bin"});
}

TEST(OutputFile, AnInterruptRemovesTheTemporaryFile) {
  tools::TempFolder folder;
  for (int signal_number : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal_number);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      InstallInterruptCleanup();
      auto out = OutputFile::Create(folder.File("o.bin"));
      (void)out->Write(Bytes(100, 1));
      ::raise(signal_number);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal_number);
    EXPECT_TRUE(Names(folder).empty());
  }
}

TEST(SameFile, SeesThroughSpellingsAndLinks) {
  tools::TempFolder folder;
  folder.Write("sub/a.bin", Bytes{1});
  folder.Write("b.bin", Bytes{1});
  fs::create_symlink(folder.File("sub/a.bin"), folder.File("link.bin"));
  fs::create_hard_link(folder.File("sub/a.bin"), folder.File("hard.bin"));
  const std::string a = folder.File("sub/a.bin");
  EXPECT_TRUE(SameFile(a, folder.File("sub/../sub/./a.bin")));
  EXPECT_TRUE(SameFile(a, folder.File("link.bin")));
  EXPECT_TRUE(SameFile(a, folder.File("hard.bin")));
  EXPECT_FALSE(SameFile(a, folder.File("b.bin")));
  EXPECT_FALSE(SameFile(folder.File("missing"), folder.File("missing")));

  const auto refused = RefuseOutputsOverInputs({folder.File("new.bin"), folder.File("link.bin")},
                                               {folder.File("b.bin"), a});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().text,
            folder.File("link.bin") + " is also an input (" + a + "); nothing was written");
  EXPECT_TRUE(RefuseOutputsOverInputs({folder.File("new.bin")}, {a}).ok());
}

}  // namespace
}  // namespace platform
