#include "picture/gif_run.h"

#include <gtest/gtest.h>

#include "picture/gif_test_writer.h"

namespace picture {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::GifBytes;
using testing::ReadTestFile;
using testing::ScratchFolder;
using testing::SolidFrame;
using testing::TestGif;
using testing::TestGifFrame;

constexpr auto kGbk = platform::CodePage::Gbk936;
const std::vector<Rgb> kPalette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0x12, 0x34, 0x56}};

std::string Text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TestGif ThreeFrames(int width, int height) {
  return {width,
          height,
          kPalette,
          {SolidFrame(0, 0, width, height, 0), SolidFrame(0, 0, width, height, 1),
           SolidFrame(0, 0, width, height, 2)},
          true};
}

class GifRunTest : public ::testing::Test {
 protected:
  void Gif(const std::string& name, const TestGif& gif) {
    testing::WriteTestFile(folder.File(name), GifBytes(gif));
  }
  RunReport Convert(const std::vector<std::string>& names, const GifSettings& settings = {}) {
    std::vector<std::string> paths;
    for (const std::string& name : names)
      paths.push_back(folder.File(name));
    return ConvertGifs(paths, folder.File("out.bin"), settings, kGbk);
  }
  ScratchFolder folder;
};

TEST_F(GifRunTest, ThreeFramesLieBackToBackWithTheirLines) {
  Gif("run.gif", ThreeFrames(100, 50));
  const RunReport report = Convert({"run.gif"});
  ASSERT_FALSE(report.stopped);
  EXPECT_EQ(report.messages, (std::vector<platform::Message>{platform::Done("Convert ok")}));
  EXPECT_EQ(ReadTestFile(folder.File("out.bin")).size(), 30000u);
  EXPECT_EQ(Text(ReadTestFile(folder.File("out-Addr.txt"))),
            "//0\r\n"
            "{100, 50, 0x00000000, 0x00002710},//run.gif-Frames0\n\r\n"
            "{100, 50, 0x00002710, 0x00002710},//run.gif-Frames1\n\r\n"
            "{100, 50, 0x00004E20, 0x00002710},//run.gif-Frames2\n\r\n");
}

TEST_F(GifRunTest, SettingsShapeEveryFrame) {
  Gif("run.gif", ThreeFrames(100, 50));
  Gif("narrow.gif", ThreeFrames(5, 2));
  struct Case {
    const char* name;
    const char* gif;
    GifSettings settings;
    const char* first_line;
    std::size_t file_size;
  };
  const std::vector<Case> cases{
      {"R 90 Degree",
       "run.gif",
       {0, 0, 1},
       "{50, 100, 0x00000000, 0x00002710},//run.gif-Frames0\n",
       30000},
      {"L 90 Degree",
       "run.gif",
       {0, 0, 2},
       "{50, 100, 0x00000000, 0x00002710},//run.gif-Frames0\n",
       30000},
      {"R8G8B8", "run.gif", {1}, "{100, 50, 0x00000000, 0x00003A98},//run.gif-Frames0\n", 45000},
      {"typed-over format",
       "run.gif",
       {-1},
       "{100, 50, 0x00000000, 0x00002710},//run.gif-Frames0\n",
       30000},
      {"NAND R8G8B8 width 5",
       "narrow.gif",
       {1, 0, 0, false, false, true},
       "{5, 2, 0x00000000, 0x00000030},//narrow.gif-Frames0\n",
       3 * 2 * 8 * 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunReport report = Convert({c.gif}, c.settings);
    ASSERT_EQ(report.log.size(), 4u);
    EXPECT_EQ(report.log[1], c.first_line);
    EXPECT_EQ(ReadTestFile(folder.File("out.bin")).size(), c.file_size);
  }
}

TEST_F(GifRunTest, NandRowsArePaddedToFourPixels) {
  TestGif gif{5, 1, kPalette, {SolidFrame(0, 0, 5, 1, 3)}, true};
  Gif("narrow.gif", gif);
  GifSettings settings;
  settings.pixel_format_index = 1;
  settings.nand = true;
  Convert({"narrow.gif"}, settings);
  Bytes expected;
  for (int i = 0; i < 5; ++i)
    expected.insert(expected.end(), {0x56, 0x34, 0x12});
  expected.insert(expected.end(), 9, 0xFF);
  EXPECT_EQ(ReadTestFile(folder.File("out.bin")), expected);
}

TEST_F(GifRunTest, FramesAreComposedAndEachFileStartsOnWhite) {
  TestGifFrame spot = SolidFrame(0, 0, 2, 1, 3);
  spot.indexes[1] = 2;
  spot.transparent_index = 3;
  Gif("a.gif", {2, 1, kPalette, {SolidFrame(0, 0, 2, 1, 0), spot}, true});
  Gif("b.gif", {2, 1, kPalette, {SolidFrame(1, 0, 1, 1, 1)}, true});
  GifSettings settings;
  settings.pixel_format_index = 1;
  settings.colour_order_index = 1;  // R, G, B as stored
  const RunReport report = Convert({"a.gif", "b.gif"}, settings);
  ASSERT_FALSE(report.stopped);
  EXPECT_EQ(ReadTestFile(folder.File("out.bin")),
            (Bytes{255, 0, 0, 255, 0, 0,         // a.gif frame 0: red
                   255, 0, 0, 0, 0, 255,         // frame 1: blue over the right pixel only
                   255, 255, 255, 0, 255, 0}));  // b.gif: white where its frame does not paint
  EXPECT_EQ(report.log,
            (std::vector<std::string>{"//0", "{2, 1, 0x00000000, 0x00000006},//a.gif-Frames0\n",
                                      "{2, 1, 0x00000006, 0x00000006},//a.gif-Frames1\n", "//1",
                                      "{2, 1, 0x0000000C, 0x00000006},//b.gif-Frames0\n"}));
}

TEST_F(GifRunTest, AGifThatFailsToDecodeStopsTheRun) {
  Gif("a.gif", ThreeFrames(2, 2));
  Bytes truncated = GifBytes(ThreeFrames(2, 2));
  truncated.resize(truncated.size() - 8);
  testing::WriteTestFile(folder.File("b.gif"), truncated);
  Gif("c.gif", ThreeFrames(2, 2));
  const RunReport report = Convert({"a.gif", "b.gif", "c.gif"});
  EXPECT_TRUE(report.stopped);
  EXPECT_TRUE(report.messages.empty());
  EXPECT_EQ(report.log,
            (std::vector<std::string>{"//0", "{2, 2, 0x00000000, 0x00000008},//a.gif-Frames0\n",
                                      "{2, 2, 0x00000008, 0x00000008},//a.gif-Frames1\n",
                                      "{2, 2, 0x00000010, 0x00000008},//a.gif-Frames2\n", "//1",
                                      "Fail to convert b.gif"}));
  EXPECT_EQ(ReadTestFile(folder.File("out.bin")).size(), 24u);
  EXPECT_FALSE(std::filesystem::exists(folder.File("out-Addr.txt")));
}

TEST_F(GifRunTest, MalformedFilesFailTheirTick) {
  const Bytes valid = GifBytes(ThreeFrames(3, 3));
  const std::vector<std::pair<const char*, Bytes>> cases{
      {"not a GIF", Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"empty", Bytes{}},
      {"cut in the screen", Bytes(valid.begin(), valid.begin() + 9)},
      {"cut in a frame", Bytes(valid.begin(), valid.begin() + 40)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    testing::WriteTestFile(folder.File("bad.gif"), bytes);
    const RunReport report = Convert({"bad.gif"});
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.log, (std::vector<std::string>{"//0", "Fail to convert bad.gif"}));
  }
  const RunReport missing = Convert({"missing.gif"});
  EXPECT_EQ(missing.log.back(), "Fail to convert missing.gif");
}

TEST_F(GifRunTest, SingleConvertStartsAtTheSelectedEntry) {
  for (const char* name : {"a.gif", "b.gif", "c.gif"})
    Gif(name, ThreeFrames(1, 1));
  std::vector<GifEntry> entries;
  for (const char* name : {"a.gif", "b.gif", "c.gif"})
    entries.push_back({folder.File(name), name});
  GifRun run(entries, 2, 1, folder.File("one.bin"), kGbk);
  EXPECT_FALSE(run.Step({}).stopped);
  EXPECT_FALSE(run.HasMore());
  EXPECT_EQ(run.Log().front(), "//2");
  EXPECT_EQ(run.Log().back(), "{1, 1, 0x00000004, 0x00000002},//c.gif-Frames2\n");
  EXPECT_TRUE(run.Finish().finished);
  EXPECT_EQ(ReadTestFile(folder.File("one.bin")).size(), 6u);
}

TEST_F(GifRunTest, AGifWithoutFramesAddsOnlyItsIndexLine) {
  Gif("none.gif", {4, 4, kPalette, {}, true});
  const RunReport report = Convert({"none.gif"});
  ASSERT_FALSE(report.stopped);
  EXPECT_EQ(Text(ReadTestFile(folder.File("out-Addr.txt"))), "//0\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.bin")));
}

TEST_F(GifRunTest, ExistingFilesAreReplacedWhole) {
  Gif("one.gif", {1, 1, kPalette, {SolidFrame(0, 0, 1, 1, 0)}, true});
  testing::WriteTestFile(folder.File("out.bin"), Bytes(1000, 0xEE));
  testing::WriteTestFile(folder.File("out-Addr.txt"), Bytes(5000, 'x'));
  Convert({"one.gif"});
  EXPECT_EQ(ReadTestFile(folder.File("out.bin")), (Bytes{0x00, 0xF8}));
  EXPECT_EQ(Text(ReadTestFile(folder.File("out-Addr.txt"))),
            "//0\r\n{1, 1, 0x00000000, 0x00000002},//one.gif-Frames0\n\r\n");
}

TEST_F(GifRunTest, AnUnwritableResourceFileStopsTheRun) {
  Gif("one.gif", ThreeFrames(1, 1));
  const RunReport report =
      ConvertGifs({folder.File("one.gif")}, folder.File("no/such/out.bin"), {}, kGbk);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(report.messages,
            (std::vector<platform::Message>{platform::Error("The file might not be accessibl.")}));
  EXPECT_EQ(report.log, (std::vector<std::string>{"//0"}));
}

}  // namespace
}  // namespace picture
