#pragma once
// Lines of the build listing ("UserInfo" .txt): one per table entry.

#include <cstdint>
#include <string>

namespace builder {

// value in 8 upper-case hexadecimal digits.
std::string Hex8(std::uint32_t value);

// "{W,H,0xADDR,0xSIZE}" + rest: a Gif or Number entry; pictures add their number.
std::string RangeEntryListingLine(std::uint32_t width, std::uint32_t height, std::uint32_t address,
                                  std::uint32_t size, const std::string& rest);
std::string PictureListingLine(std::uint32_t width, std::uint32_t height, std::uint32_t address,
                               std::uint32_t size, const std::string& rest, int picture_number);

// "{code,0xADDR,0xSIZE},//name" for a font (size code) or a sound (its index).
std::string IndexedListingLine(int index, std::uint32_t address, std::uint32_t size,
                               const std::string& name);

// "{0xADDR,0xSIZE},//name" for a cursor.
std::string CursorListingLine(std::uint32_t address, std::uint32_t size, const std::string& name);

}  // namespace builder
