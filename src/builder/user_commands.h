#pragma once
// User command lines into the command directory (0x200) and the command area (0x1800)
// of the image header.

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

// Writes the 128-entry directory and the records grouped by opcode into `header`.
// Fails with a message naming the line when an argument cannot be read or a record or
// group breaks a limit; `header` is then not to be used.
platform::Result<platform::Ok> EncodeUserCommands(const CommandList& lines, const RangeTable& gifs,
                                                  const RangeTable& numbers, HeaderBuffer& header);

}  // namespace builder
