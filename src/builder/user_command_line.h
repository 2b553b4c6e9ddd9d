#pragma once
// One user command line into its record: cleaning, the opcode keyword and the argument
// scan, with the GIF form of 88h and the picture-set ("PT") form of 90h.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

// Records longer than these would not fit the module's command buffer or their own
// length byte.
inline constexpr std::size_t kLongestRecord = 1280;
inline constexpr std::size_t kLongestLengthPrefixedRecord = 255;

// "80h" ... "FFh": two upper-case hexadecimal digits and a lower-case "h".
std::string OpcodeKeyword(int opcode);

// The line as the encoder reads it: its first 1023 bytes without blanks, control
// characters (CR included) and bytes of 0x80 and above.
std::string CleanCommandLine(std::string_view line);

// The record of a cleaned line that starts with the keyword of `opcode` (an opcode with
// an encoding). Arguments are read from the first ":" on, stored big-endian at their
// widths; "," ends an argument and "/" the record. Fails with the "not a valid integer
// value" text for an unreadable argument, or when the record passes the limits above.
platform::Result<std::vector<std::uint8_t>> EncodeCommandLine(int opcode, std::string_view cleaned,
                                                              const RangeTable& gifs,
                                                              const RangeTable& numbers);

}  // namespace builder
