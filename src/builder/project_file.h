#pragma once
// The project file: its lines into the command list and back.

#include <cstdint>
#include <span>
#include <vector>

#include "builder/builder_types.h"

namespace builder {

// The command list of a project file's bytes (LF lines, CR tolerated, TAB to 8 blanks,
// 1023-character cap).
CommandList LoadProjectLines(std::span<const std::uint8_t> file);

// The bytes of a project file holding the command list.
std::vector<std::uint8_t> SaveProjectLines(const CommandList& lines);

}  // namespace builder
