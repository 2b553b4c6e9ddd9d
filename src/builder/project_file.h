#pragma once
// The project file: its lines into the command list and back. Only the byte rules live
// here; the dialogs, the remembered folders and the file writes are the window's.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

// Shown when the project file cannot be read.
inline constexpr const char* kOpenFail = "Open fail!";
// Shown when the project file cannot be created (the text ends in a line break).
inline constexpr const char* kCreateFileError = "open Creat file error!\n";

// The dialogs propose "*.ini" and filter on it.
inline constexpr const char* kProjectPattern = "*.ini";

// Longest line the command list takes from a file, in bytes.
inline constexpr std::size_t kMaxProjectLineLength = 1023;

// The command list of a project file's bytes. Lines end at LF; a CR before it stays in the
// line. TAB becomes 8 blanks; a line keeps at most 1023 bytes. An empty line becomes " ";
// a bare "[INFO]" or "[USERCMD]" line, and the bytes after the last LF, get a " " line
// in front of them.
CommandList LoadProjectLines(std::span<const std::uint8_t> file);

// The command list of the project file at `path`; "Open fail!" with the reason when it
// cannot be read.
platform::Result<CommandList> ReadProjectFile(const std::string& path);

// The bytes of a project file holding the command list: every line without its bytes
// below 0x20, followed by CR LF (the last line too). Lines are code-page bytes already.
std::vector<std::uint8_t> SaveProjectLines(const CommandList& lines);

// False when the name a dialog returned means "nothing chosen": empty, or still holding
// the proposed "*.ini".
bool IsProjectFileChoice(const std::string& chosen_name);

}  // namespace builder
