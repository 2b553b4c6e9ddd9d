#include "viewer/entry_browse.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// A GIF resource of a.gif (three 2 x 1 frames) and b.gif (two), R5G6B5, as the GIF tool
// lists them; then a line that points past the file.
ImageContents TwoGifs() {
  std::string list = "//0\r\n";
  for (int i = 0; i < 3; ++i) {
    list += "{2, 1, 0x0000000" + std::to_string(4 * i) + ", 0x00000004},//a.gif-Frames" +
            std::to_string(i) + "\n\r\n";
  }
  list += "//1\r\n";
  list += "{2, 1, 0x0000000C, 0x00000004},//b.gif-Frames0\n\r\n";
  list += "{2, 1, 0x00000010, 0x00000004},//b.gif-Frames1\n\r\n";
  list += "{2, 1, 0x00000100, 0x00000004},//b.gif-Frames2\n\r\n";
  auto contents = ReadImageContents(Bytes(20, 0x11), "Gif-run.bin", {}, Text(list));
  EXPECT_TRUE(contents) << contents.error().text;
  return contents ? std::move(*contents) : ImageContents{};
}

TEST(PlayOrder, AGifResourcePlaysTheFramesOfOneGif) {
  const ImageContents contents = TwoGifs();
  ASSERT_EQ(contents.entries.size(), 6u);
  ASSERT_FALSE(contents.entries[5].Good());
  struct Case {
    std::size_t selected;
    std::vector<std::size_t> order;
    std::optional<std::size_t> next;
  } cases[] = {
      {0, {0, 1, 2}, 1},     {2, {0, 1, 2}, 0},  // after the last frame, the first again
      {4, {3, 4}, 3},                            // the bad third frame of b.gif is left out
      {5, {}, std::nullopt}, {9, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    EXPECT_EQ(PlayOrder(contents, c.selected), c.order);
    EXPECT_EQ(NextToPlay(contents, c.selected), c.next);
  }
}

TEST(PlayOrder, PicturesThatAreNoFramesPlayAll) {
  const std::string list =
      "{2, 1, 0x00000000, 0x00000004},//a.png\r\n{2, 1, 0x00000004, 0x00000004},//b.png\r\n"
      "{1, 1, 0x00000008, 0x00000002},//c.png-Frames\r\n";
  auto contents = ReadImageContents(Bytes(10, 0), "Picture-x.bin", {}, Text(list));
  ASSERT_TRUE(contents) << contents.error().text;
  ASSERT_EQ(contents->entries.size(), 3u);
  EXPECT_EQ(PlayOrder(*contents, 1), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(NextToPlay(*contents, 2), 0u);
}

TEST(EntryLine, SaysWhereAndWhatAndWhyNot) {
  const ImageContents contents = TwoGifs();
  EXPECT_EQ(EntryLine(contents.entries[1]),
            "picture 1  0x00000004  4 B  2x1  R5G6B5  a.gif-Frames1");
  const std::string bad = EntryLine(contents.entries[5]);
  EXPECT_TRUE(bad.starts_with("picture 5  0x00000100  4 B  2x1")) << bad;
  EXPECT_NE(bad.find("  ! " + contents.entries[5].problem), std::string::npos) << bad;
}

TEST(GlyphAt, NamesTheCellUnderThePoint) {
  GlyphSheet sheet;
  sheet.cell_width = 8;
  sheet.cell_height = 10;
  sheet.count = 5;
  sheet.columns = 3;
  sheet.codes = {0x0041, std::nullopt, 0xB0A1, 0x0044, 0x0045};
  struct Case {
    int x, y;
    std::optional<std::string> glyph;
  } cases[] = {
      {0, 0, "glyph 0, code 0x0041"},
      {7, 9, "glyph 0, code 0x0041"},
      {8, 0, "glyph 1"},
      {23, 9, "glyph 2, code 0xB0A1"},
      {15, 10, "glyph 4, code 0x0045"},
      {16, 10, std::nullopt},  // past the last cell
      {24, 0, std::nullopt},
      {0, 20, std::nullopt},
      {-1, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
    EXPECT_EQ(GlyphAt(sheet, c.x, c.y), c.glyph);
  }
}

}  // namespace
}  // namespace viewer
