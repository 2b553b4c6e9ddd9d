#pragma once
// The cursor file (256 bytes, no header) and its hex listing. Row r fills bytes 8r..8r+7;
// each byte holds four pixels from the left in its bit pairs 7-6, 5-4, 3-2, 1-0.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cursor/cursor_image.h"
#include "platform/message.h"

namespace cursor {

inline constexpr std::size_t kCursorFileSize = 256;
using CursorBytes = std::array<std::uint8_t, kCursorFileSize>;

CursorBytes CursorFileBytes(const CursorImage& image);
CursorImage CursorFromBytes(const CursorBytes& bytes);

// Sixteen lines of sixteen "0xHH," entries each, two pixel rows per line.
std::vector<std::string> CursorListingLines(const CursorBytes& bytes);

// Reads hex entries back the "Import" way: in each line (8-bit text), every 'x' or 'X'
// takes the next two characters as a byte, a character that is no hex digit (or is
// missing at the end of the line) counting 0. Stops after 256 bytes; bytes the text does
// not supply stay 0.
CursorBytes ImportHexListing(const std::vector<std::string>& lines);

// The lines of a text, split at CR LF, CR or LF.
std::vector<std::string> TextLines(std::string_view text);

// Saves the bytes under the chosen name (".bin" appended when it holds none), replacing
// any file of that name. "Error file's name" for an empty name, "Can't open " + the path
// when it cannot be written, else "OK".
platform::Message SaveCursorFile(const std::string& chosen_name, const CursorBytes& bytes);

}  // namespace cursor
