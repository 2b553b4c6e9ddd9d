#pragma once
// User command lines into the command directory (0x200) and the command area (0x1800)
// of the image header.

#include <cstddef>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

inline constexpr std::size_t kCommandDirectoryStart = 0x200;
inline constexpr std::size_t kCommandAreaStart = 0x1800;
// In a NAND build the picture table goes on at 0x7000, so the records must end before it.
inline constexpr std::size_t kNandCommandAreaEnd = 0x7000;

// Writes the 128-entry directory and the records grouped by opcode into `header`. The
// command lines are those after the first line holding "[USERCMD]"; a list of 10 lines or
// fewer, or one without "[USERCMD]", leaves the header as it is.
// The area ends at the end of `header` (0x3000 bytes in a NOR build) or at 0x7000 in a
// NAND build (a header larger than 0x3000). Fails, leaving `header` untouched, with the
// text to show followed by the offending command list line: "'12AB' is not a valid
// integer value (command list line 14: 82h:12AB)", or a record or the area passing its
// limit. The build must stop then, before any file is written.
platform::Result<platform::Ok> EncodeUserCommands(const CommandList& lines, const RangeTable& gifs,
                                                  const RangeTable& numbers, HeaderBuffer& header);

}  // namespace builder
