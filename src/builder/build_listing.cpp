#include "builder/build_listing.h"

#include <cstdio>

namespace builder {

std::string Hex8(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

std::string RangeEntryListingLine(std::uint32_t width, std::uint32_t height, std::uint32_t address,
                                  std::uint32_t size, const std::string& rest) {
  return "{" + std::to_string(width) + "," + std::to_string(height) + ",0x" + Hex8(address) +
         ",0x" + Hex8(size) + "}" + rest;
}

std::string PictureListingLine(std::uint32_t width, std::uint32_t height, std::uint32_t address,
                               std::uint32_t size, const std::string& rest, int picture_number) {
  return RangeEntryListingLine(width, height, address, size, rest) + "---Picture No." +
         std::to_string(picture_number);
}

std::string IndexedListingLine(int index, std::uint32_t address, std::uint32_t size,
                               const std::string& name) {
  return "{" + std::to_string(index) + ",0x" + Hex8(address) + ",0x" + Hex8(size) + "},//" + name;
}

std::string CursorListingLine(std::uint32_t address, std::uint32_t size, const std::string& name) {
  return "{0x" + Hex8(address) + ",0x" + Hex8(size) + "},//" + name;
}

}  // namespace builder
