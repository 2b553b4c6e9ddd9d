#pragma once
// Reading a picture or GIF address list back: its lines and the four numbers of each
// entry line ("{W, H, 0xOFFSET, 0xSIZE},//name").

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace builder {

// The non-empty lines of an address list: split at LF, TAB as 4 blanks, other control
// characters (CR included) and bytes of 0x80 and above dropped, 1023 characters at most.
std::vector<std::string> AddressListLines(std::span<const std::uint8_t> file);

struct EntryLine {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t offset = 0;  // inside the resource file
  std::uint32_t size = 0;
  std::string rest;  // the text after the first "}"
  friend bool operator==(const EntryLine&, const EntryLine&) = default;
};

// The entry of a line beginning with "{" that holds four numbers; nothing for other
// lines. Its numbers read as user command arguments do, so a number that is no valid
// decimal fails with the conversion error.
platform::Result<std::optional<EntryLine>> ReadEntryLine(const std::string& line);

}  // namespace builder
