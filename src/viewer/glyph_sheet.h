#pragma once
// Fonts read back: the glyph cells of a character-set library or a string font laid out
// on one sheet, and the code each cell stands for.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "picture/pixel_decoders.h"
#include "platform/message.h"

namespace viewer {

// The layouts of a font without header, known by their cell count, and the string font.
enum class FontLayout { Gb2312, Big5, Gbk, Unicode, StringFont };

// "GB2312", "BIG5", "GBK", "UniCode", "MrlxFont".
const char* LayoutName(FontLayout layout);

// GB2312 (8352 cells), BIG5 (14080) or GBK (32190); any other count is a Unicode range.
FontLayout LayoutOfCellCount(std::size_t cells);

// The code (lead << 8 | trail) stored in a slot of a character-set layout; nothing for
// the slots after the last code, and for Unicode, whose start the file does not hold.
std::optional<std::uint16_t> CodeOfSlot(FontLayout layout, std::size_t slot);

// Bytes of one packed glyph: Hr x floor(Wr / 8).
std::size_t CellBytes(int width, int height);

// Glyph cells laid out as `extract` writes them: in storage order, 16 cells a row (fewer
// when there are fewer), ink black on white, no gaps.
struct GlyphSheet {
  picture::DecodedPicture picture;
  int cell_width = 0, cell_height = 0;
  int count = 0;
  int columns = 0;  // cells per sheet row
  // The code of each cell, where it is known.
  std::vector<std::optional<std::uint16_t>> codes;
};

// The sheet of `count` cells of `width` x `height` whose packed glyphs start `glyphs`.
// The columns of each row past its last whole byte are not stored and show white.
platform::Result<GlyphSheet> DecodeGlyphSheet(std::span<const std::uint8_t> glyphs, int width,
                                              int height, int count);

// What the 12-byte header of a string font ("MrlxFont") says, checked against the file's
// size. The header keeps the character count modulo 65536; the size tells the rest.
struct StringFontHeader {
  int count = 0;
  int width = 0, height = 0;
  std::size_t codes_at = 12, glyphs_at = 12;
};
bool IsStringFont(std::span<const std::uint8_t> first_bytes);
platform::Result<StringFontHeader> ReadStringFontHeader(std::span<const std::uint8_t> header,
                                                        std::uint64_t file_size);

// The sheet of a whole string font, its code table as the cells' codes.
platform::Result<GlyphSheet> DecodeStringFont(std::span<const std::uint8_t> font);

}  // namespace viewer
