#include "viewer/glyph_sheet.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "font/charset_library.h"

namespace viewer {

namespace {

constexpr int kSheetColumns = 16;
constexpr std::size_t kStringFontHeaderSize = 12;
constexpr const char kStringFontMagic[] = "MrlxFont";

// The library's character set of each layout known by its cell count.
constexpr std::array<std::pair<FontLayout, font::CharacterSet>, 3> kSetsOfLayouts{{
    {FontLayout::Gb2312, font::CharacterSet::Gb2312},
    {FontLayout::Big5, font::CharacterSet::Big5},
    {FontLayout::Gbk, font::CharacterSet::Gbk},
}};

}  // namespace

const char* LayoutName(FontLayout layout) {
  switch (layout) {
    case FontLayout::Gb2312:
      return "GB2312";
    case FontLayout::Big5:
      return "BIG5";
    case FontLayout::Gbk:
      return "GBK";
    case FontLayout::Unicode:
      return "UniCode";
    case FontLayout::StringFont:
      break;
  }
  return "MrlxFont";
}

FontLayout LayoutOfCellCount(std::size_t cells) {
  for (const auto& [layout, set] : kSetsOfLayouts)
    if (cells == font::SlotCount(set))
      return layout;
  return FontLayout::Unicode;
}

std::optional<std::uint16_t> CodeOfSlot(FontLayout layout, std::size_t slot) {
  // A Unicode library does not record where its range starts.
  for (const auto& [known, set] : kSetsOfLayouts)
    if (known == layout)
      return font::CodeOfSlot(set, slot);
  return std::nullopt;
}

std::size_t CellBytes(int width, int height) {
  if (width <= 0 || height <= 0)
    return 0;
  return std::size_t(height) * std::size_t(width / 8);
}

platform::Result<GlyphSheet> DecodeGlyphSheet(std::span<const std::uint8_t> glyphs, int width,
                                              int height, int count) {
  const std::size_t cell_bytes = CellBytes(width, height);
  if (cell_bytes == 0) {
    return platform::Error("a " + std::to_string(width) + "x" + std::to_string(height) +
                           " cell stores no pixels");
  }
  if (count < 0 || glyphs.size() / cell_bytes < std::size_t(count)) {
    return platform::Error(std::to_string(count) + " cells need " +
                           std::to_string(std::uint64_t(count) * cell_bytes) + " bytes, " +
                           std::to_string(glyphs.size()) + " are there");
  }
  GlyphSheet sheet;
  sheet.cell_width = width;
  sheet.cell_height = height;
  sheet.count = count;
  sheet.columns = std::min(count, kSheetColumns);
  const int rows = (count + kSheetColumns - 1) / kSheetColumns;
  picture::DecodedPicture& picture = sheet.picture;
  picture.width = sheet.columns * width;
  picture.height = rows * height;
  // White everywhere, so the unstored columns and the cells after the last show white.
  picture.rgba.assign(std::size_t(picture.width) * std::size_t(picture.height) * 4, 0xFF);
  const int stored_bytes = width / 8;
  const std::size_t stride = std::size_t(picture.width) * 4;
  for (int cell = 0; cell < count; ++cell) {
    const std::uint8_t* in = glyphs.data() + std::size_t(cell) * cell_bytes;
    const std::size_t left = std::size_t(cell % kSheetColumns) * std::size_t(width) * 4;
    const std::size_t top = std::size_t(cell / kSheetColumns) * std::size_t(height);
    for (int y = 0; y < height; ++y) {
      std::uint8_t* out = picture.rgba.data() + (top + std::size_t(y)) * stride + left;
      for (int k = 0; k < stored_bytes; ++k) {
        const unsigned byte = *in++;
        for (int bit = 0; bit < 8; ++bit, out += 4) {
          if (byte & (0x80u >> bit))
            std::memset(out, 0, 3);  // ink: black, opaque
        }
      }
    }
  }
  return sheet;
}

bool IsStringFont(std::span<const std::uint8_t> first_bytes) {
  return first_bytes.size() >= 8 && std::memcmp(first_bytes.data(), kStringFontMagic, 8) == 0;
}

platform::Result<StringFontHeader> ReadStringFontHeader(std::span<const std::uint8_t> header,
                                                        std::uint64_t file_size) {
  if (!IsStringFont(header) || header.size() < kStringFontHeaderSize ||
      file_size < kStringFontHeaderSize)
    return platform::Error("no string font: its 12-byte header is not there");
  StringFontHeader font;
  const std::uint64_t stored_count = std::uint64_t(header[8]) << 8 | header[9];
  font.width = header[10];
  font.height = header[11];
  const std::uint64_t per_character = 2 + CellBytes(font.width, font.height);
  // The header holds the count modulo 65536; the file's size gives the whole count.
  const std::uint64_t body = file_size - kStringFontHeaderSize;
  std::uint64_t count = body / per_character;
  if (body % per_character != 0 || count % 65536 != stored_count) {
    return platform::Error("a string font of " + std::to_string(stored_count) + " characters of " +
                           std::to_string(font.width) + "x" + std::to_string(font.height) +
                           " needs " +
                           std::to_string(kStringFontHeaderSize + stored_count * per_character) +
                           " bytes, the file has " + std::to_string(file_size));
  }
  if (count > std::uint64_t(INT32_MAX))
    return platform::Error("a string font of more characters than the module counts");
  font.count = static_cast<int>(count);
  font.glyphs_at = kStringFontHeaderSize + 2 * std::size_t(count);
  return font;
}

platform::Result<GlyphSheet> DecodeStringFont(std::span<const std::uint8_t> font) {
  auto header = ReadStringFontHeader(font, font.size());
  if (!header)
    return header.error();
  if (header->count == 0)
    return platform::Error("a string font without characters has no glyphs to show");
  auto sheet = DecodeGlyphSheet(font.subspan(header->glyphs_at), header->width, header->height,
                                header->count);
  if (!sheet)
    return sheet;
  sheet->codes.reserve(std::size_t(header->count));
  for (int i = 0; i < header->count; ++i) {
    const std::size_t at = header->codes_at + 2 * std::size_t(i);
    sheet->codes.emplace_back(static_cast<std::uint16_t>(font[at] << 8 | font[at + 1]));
  }
  return sheet;
}

}  // namespace viewer
