#include "cursor/cursor_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cursor/cursor_picture.h"
#include "picture_writer.h"
#include "platform/file_io.h"
#include "png_chunks.h"
#include "temp_folder.h"

namespace cursor {
namespace {

namespace fs = std::filesystem;

CursorImage Filled(Code code) {
  CursorImage image;
  for (int r = 0; r < kCursorSize; ++r) {
    for (int c = 0; c < kCursorSize; ++c)
      image.Set(c, r, code);
  }
  return image;
}

TEST(CursorFile, FilledPicturesExportAsOneByteRepeated) {
  const struct {
    Code code;
    std::uint8_t byte;
  } cases[] = {{kCode0, 0x00}, {kCode1, 0x55}, {kCodeWhite, 0xAA}, {kCodeBlack, 0xFF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.code));
    CursorBytes expected;
    expected.fill(c.byte);
    EXPECT_EQ(CursorFileBytes(Filled(c.code)), expected);
  }
  EXPECT_EQ(CursorImage(), Filled(kCodeWhite));  // a new picture is cleared
}

TEST(CursorFile, PixelsFillTheirBitPairsFromTheLeft) {
  CursorImage image;
  image.Set(0, 0, kCode1);
  CursorBytes bytes = CursorFileBytes(image);
  EXPECT_EQ(bytes[0], 0x6A);
  EXPECT_TRUE(std::all_of(bytes.begin() + 1, bytes.end(), [](auto b) { return b == 0xAA; }));

  image = CursorImage();
  image.Set(7, 1, kCodeBlack);  // row 1, byte 1, last pair
  image.Set(31, 31, kCode0);    // the last byte, last pair
  bytes = CursorFileBytes(image);
  EXPECT_EQ(bytes[9], 0xAB);
  EXPECT_EQ(bytes[255], 0xA8);
  EXPECT_EQ(CursorFromBytes(bytes), image);
}

TEST(CursorFile, ListingHasSixteenLinesOfSixteenEntries) {
  CursorBytes bytes;
  bytes.fill(0xAA);
  bytes[17] = 0x0F;
  const auto lines = CursorListingLines(bytes);
  ASSERT_EQ(lines.size(), 16u);
  std::string cleared;
  for (int i = 0; i < 16; ++i)
    cleared += "0xAA,";
  EXPECT_EQ(lines[0], cleared);
  EXPECT_EQ(lines[1], "0xAA,0x0F," + cleared.substr(10));
  EXPECT_EQ(lines[15], cleared);
}

TEST(ImportHexListing, ReadsEntriesTheImportWay) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::uint8_t> first;  // the bytes expected first; the rest stay 0
  } cases[] = {
      {"one entry", {"0x6A"}, {0x6A}},
      {"lower case and X", {"0xab,0Xcd"}, {0xAB, 0xCD}},
      {"non-digits count 0", {"xG1,x1G"}, {0x01, 0x10}},
      {"cut at the end of the line", {"0x1", "0x"}, {0x10, 0x00}},
      {"the scan goes on after two characters", {"xx12"}, {0x01}},
      {"no x at all", {"12 34 56", ""}, {}},
      {"entries across lines", {"0x01,0x02,", "0x03"}, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CursorBytes expected{};
    std::copy(c.first.begin(), c.first.end(), expected.begin());
    EXPECT_EQ(ImportHexListing(c.lines), expected);
  }
}

TEST(ImportHexListing, OnlyTheFirst256EntriesCount) {
  std::vector<std::string> lines;
  for (int i = 0; i < 20; ++i) {
    std::string line;
    for (int k = 0; k < 16; ++k)
      line += (i < 16 ? "0x55," : "0xFF,");
    lines.push_back(line);
  }
  CursorBytes expected;
  expected.fill(0x55);
  EXPECT_EQ(ImportHexListing(lines), expected);
}

TEST(ImportHexListing, AListingReadsBackToItsPicture) {
  CursorImage image;
  image.Set(0, 0, kCode1);
  image.Set(13, 21, kCodeBlack);
  image.Set(30, 2, kCode0);
  const CursorBytes bytes = CursorFileBytes(image);
  EXPECT_EQ(CursorFromBytes(ImportHexListing(CursorListingLines(bytes))), image);

  // Importing just "0x6A": pixel (0, 0) code 1, the rest of that byte code 2, all else 0.
  const CursorImage imported = CursorFromBytes(ImportHexListing({"0x6A"}));
  EXPECT_EQ(imported.At(0, 0), kCode1);
  for (int c = 1; c < 4; ++c)
    EXPECT_EQ(imported.At(c, 0), kCodeWhite);
  EXPECT_EQ(imported.At(4, 0), kCode0);
  EXPECT_EQ(imported.At(0, 1), kCode0);
}

TEST(TextLines, SplitsAtEveryLineEnd) {
  EXPECT_EQ(TextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(TextLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(TextLines("").empty());
}

class SaveCursorFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "cursor-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  fs::path folder_;
};

TEST_F(SaveCursorFileTest, WritesExactly256BytesUnderTheBinName) {
  CursorBytes bytes;
  bytes.fill(0xAA);
  ASSERT_TRUE(platform::WriteFileAtomically(Path("Cursor-a.bin"), std::vector<std::uint8_t>(1000)));
  EXPECT_EQ(SaveCursorFile(Path("Cursor-a"), bytes), platform::Done("OK"));
  const auto written = platform::ReadFileBytes(Path("Cursor-a.bin"));
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(SaveCursorFileTest, RefusesAnEmptyNameAndReportsAFileThatCannotBeOpened) {
  const CursorBytes bytes{};
  EXPECT_EQ(SaveCursorFile("", bytes), platform::Error("Error file's name"));
  EXPECT_EQ(SaveCursorFile(Path("missing/c"), bytes),
            platform::Error("Can't open " + Path("missing/c.bin")));
}

TEST(CursorPicture, ColoursMapToCodes) {
  picture::WorkingBitmap bitmap(32, 32, picture::Rgb{255, 255, 255});
  bitmap.SetPixel(0, 0, {255, 0, 0});
  bitmap.SetPixel(1, 0, {0, 128, 128});
  bitmap.SetPixel(2, 0, {0, 0, 0});
  bitmap.SetPixel(3, 0, {254, 0, 0});  // none of the four
  const auto image = CursorFromBitmap(bitmap);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(CursorFileBytes(*image)[0], 0x1E);  // codes 0, 1, 3, 2
  EXPECT_EQ(CursorBitmap(*image).Pixel(2, 0), (picture::Rgb{0, 0, 0}));
  EXPECT_EQ(CursorBitmap(*image).Pixel(3, 0), (picture::Rgb{255, 255, 255}));

  const auto wrong = CursorFromBitmap(picture::WorkingBitmap(32, 31));
  ASSERT_FALSE(wrong.ok());
  EXPECT_EQ(wrong.error().text, "The cursor picture must be 32 x 32 pixels");
  EXPECT_FALSE(LoadCursorPicture("/nonexistent/cursor.png").ok());
}

TEST(CursorPicture, APictureOfAnotherSizeIsRefusedFromItsHeader) {
  using tools::png::Chunk;
  using Bytes = std::vector<std::uint8_t>;
  const Bytes black(64 * 64 * 3);
  // Decoding would find its image data missing; the header alone already says no.
  const Bytes claiming = tools::png::File(
      {tools::png::Header(16384, 16384), Chunk("IDAT", tools::png::Zlib(Bytes(100)))});
  const Bytes cut_short =
      tools::png::File({tools::png::Header(32, 32), Chunk("IDAT", tools::png::Zlib(Bytes(100)))});
  const std::string wrong_size = "The cursor picture must be 32 x 32 pixels";
  struct Case {
    const char* name;
    Bytes bytes;
    std::string reason;  // empty: loads
  } cases[] = {
      {"a.png",
       tools::EncodePng({32, 32, 2, 8, Bytes(black.begin(), black.begin() + 32 * 32 * 3), {}}), ""},
      {"b.png", tools::EncodePng({64, 64, 2, 8, black, {}}), wrong_size},
      {"c.jpg", tools::EncodeJpeg(33, 32, black, false, false), wrong_size},
      {"d.bmp", tools::EncodeBmp24(32, 31, black), wrong_size},
      {"e.png", claiming, wrong_size},
      {"f.png", cut_short, "PNG: IDAT stream too short"},
  };
  tools::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write(c.name, c.bytes);
    const auto loaded = LoadCursorPicture(folder.File(c.name));
    if (c.reason.empty()) {
      EXPECT_TRUE(loaded.ok()) << loaded.error().text;
    } else {
      ASSERT_FALSE(loaded.ok());
      EXPECT_EQ(loaded.error().text, c.reason);
    }
  }
}

}  // namespace
}  // namespace cursor
