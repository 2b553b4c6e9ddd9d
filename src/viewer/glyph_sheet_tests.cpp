#include "viewer/glyph_sheet.h"

#include <gtest/gtest.h>

#include "font/charset_library.h"
#include "font/glyph_cell.h"

namespace viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool InkAt(const picture::DecodedPicture& sheet, int x, int y) {
  const std::uint8_t* p = sheet.rgba.data() + (std::size_t(y) * sheet.width + x) * 4;
  EXPECT_TRUE((p[0] == 0 || p[0] == 255) && p[0] == p[1] && p[1] == p[2] && p[3] == 255);
  return p[0] == 0;
}

// Cell `i` has ink where (x + y + i) % 3 == 0: every cell and column tells itself apart.
bool Pattern(int i, int x, int y) {
  return (x + y + i) % 3 == 0;
}

Bytes PackedCells(int width, int height, int count) {
  Bytes glyphs;
  for (int i = 0; i < count; ++i) {
    picture::WorkingBitmap raster(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (Pattern(i, x, y))
          raster.SetPixel(x, y, {0, 0, 0});
      }
    }
    const Bytes glyph = font::PackGlyph(raster, 200);
    glyphs.insert(glyphs.end(), glyph.begin(), glyph.end());
  }
  return glyphs;
}

TEST(GlyphSheet, PackedCellsComeBackSixteenToARow) {
  struct Case {
    int width, height, count;
    int sheet_width, sheet_height;
  } cases[] = {
      {16, 16, 3, 48, 16},    // fewer than 16 cells: one short row
      {8, 8, 17, 128, 16},    // a second row of one cell
      {12, 16, 20, 192, 32},  // columns 8..11 are not stored and show white
      {24, 16, 16, 384, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " x " << c.count);
    const Bytes glyphs = PackedCells(c.width, c.height, c.count);
    ASSERT_EQ(glyphs.size(), CellBytes(c.width, c.height) * c.count);
    auto sheet = DecodeGlyphSheet(glyphs, c.width, c.height, c.count);
    ASSERT_TRUE(sheet.ok()) << sheet.error().text;
    ASSERT_EQ(sheet->picture.width, c.sheet_width);
    ASSERT_EQ(sheet->picture.height, c.sheet_height);
    const int stored = c.width / 8 * 8;
    for (int y = 0; y < c.sheet_height; ++y) {
      for (int x = 0; x < c.sheet_width; ++x) {
        const int i = y / c.height * 16 + x / c.width;
        const int cx = x % c.width, cy = y % c.height;
        const bool ink = i < c.count && cx < stored && Pattern(i, cx, cy);
        ASSERT_EQ(InkAt(sheet->picture, x, y), ink) << "at " << x << ", " << y;
      }
    }
  }
}

TEST(GlyphSheet, RefusesCellsTheBytesDoNotHold) {
  EXPECT_FALSE(DecodeGlyphSheet(Bytes(31), 16, 16, 1).ok());
  EXPECT_FALSE(DecodeGlyphSheet(Bytes(64), 7, 16, 1).ok());  // no whole byte in a row
  EXPECT_FALSE(DecodeGlyphSheet(Bytes(64), 16, 0, 1).ok());
  EXPECT_TRUE(DecodeGlyphSheet(Bytes(32), 16, 16, 1).ok());
}

TEST(GlyphSheet, SlotsGiveTheCodesTheLibrariesStoreThere) {
  struct Case {
    FontLayout layout;
    font::CharacterSet set;
    std::size_t cells, codes;
  } cases[] = {
      {FontLayout::Gb2312, font::CharacterSet::Gb2312, 8352, 87 * 94},
      {FontLayout::Big5, font::CharacterSet::Big5, 14080, 14080},
      {FontLayout::Gbk, font::CharacterSet::Gbk, 32190, 126 * 191},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(LayoutName(c.layout));
    EXPECT_EQ(LayoutOfCellCount(c.cells), c.layout);
    EXPECT_EQ(font::SlotCount(c.set), c.cells);
    for (std::size_t slot = 0; slot < c.cells; ++slot) {
      const auto code = CodeOfSlot(c.layout, slot);
      ASSERT_EQ(code.has_value(), slot < c.codes) << slot;
      if (code) {
        ASSERT_EQ(font::SlotOf(c.set, *code), slot) << std::hex << *code;
      }
    }
  }
  EXPECT_EQ(CodeOfSlot(FontLayout::Gb2312, 1410), 0xB0A1);
  EXPECT_EQ(CodeOfSlot(FontLayout::Big5, 480), 0xA440);
  EXPECT_EQ(CodeOfSlot(FontLayout::Big5, 64), 0xA1A0);
  EXPECT_EQ(CodeOfSlot(FontLayout::Gbk, 191), 0x8240);
  EXPECT_EQ(LayoutOfCellCount(11172), FontLayout::Unicode);
  EXPECT_EQ(CodeOfSlot(FontLayout::Unicode, 0), std::nullopt);
}

Bytes StringFont(int count_in_header, int width, int height, const Bytes& codes,
                 const Bytes& glyphs) {
  Bytes font{'M', 'r', 'l', 'x', 'F', 'o', 'n', 't'};
  font.push_back(std::uint8_t(count_in_header >> 8));
  font.push_back(std::uint8_t(count_in_header));
  font.push_back(std::uint8_t(width));
  font.push_back(std::uint8_t(height));
  font.insert(font.end(), codes.begin(), codes.end());
  font.insert(font.end(), glyphs.begin(), glyphs.end());
  return font;
}

TEST(GlyphSheet, StringFontGivesItsCellsAndCodeTable) {
  const Bytes codes{0x00, 0x41, 0x00, 0x42, 0xBA, 0xBA, 0xBA, 0xBA};
  const Bytes font = StringFont(4, 16, 16, codes, PackedCells(16, 16, 4));
  ASSERT_EQ(font.size(), 148u);
  auto sheet = DecodeStringFont(font);
  ASSERT_TRUE(sheet.ok()) << sheet.error().text;
  EXPECT_EQ(sheet->picture.width, 64);
  EXPECT_EQ(sheet->picture.height, 16);
  const std::vector<std::optional<std::uint16_t>> expected{0x0041, 0x0042, 0xBABA, 0xBABA};
  EXPECT_EQ(sheet->codes, expected);
  EXPECT_EQ(InkAt(sheet->picture, 16 + 2, 0), Pattern(1, 2, 0));

  // A turned cell: the header holds the raster's own width and height.
  const Bytes turned = StringFont(1, 24, 16, {0x00, 0x41}, PackedCells(24, 16, 1));
  auto header = ReadStringFontHeader(turned, turned.size());
  ASSERT_TRUE(header.ok());
  EXPECT_EQ(header->width, 24);
  EXPECT_EQ(header->height, 16);
}

TEST(GlyphSheet, StringFontHeaderMustMatchTheFileSize) {
  const Bytes codes{0x00, 0x41, 0x00, 0x42};
  struct Case {
    const char* what;
    Bytes font;
    bool ok;
  } cases[] = {
      {"whole", StringFont(2, 16, 16, codes, PackedCells(16, 16, 2)), true},
      {"empty", StringFont(0, 16, 16, {}, {}), true},
      {"a glyph short", StringFont(2, 16, 16, codes, PackedCells(16, 16, 1)), false},
      {"a byte long",
       [&] {
         Bytes f = StringFont(2, 16, 16, codes, PackedCells(16, 16, 2));
         f.push_back(0);
         return f;
       }(),
       false},
      {"count too high", StringFont(3, 16, 16, codes, PackedCells(16, 16, 2)), false},
      {"header cut", Bytes{'M', 'r', 'l', 'x', 'F', 'o', 'n', 't', 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadStringFontHeader(c.font, c.font.size()).ok(), c.ok);
  }
}

}  // namespace
}  // namespace viewer
