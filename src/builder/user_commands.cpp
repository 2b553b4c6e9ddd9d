#include "builder/user_commands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "builder/command_layout.h"
#include "builder/user_command_line.h"

namespace builder {
namespace {

constexpr std::size_t kFewestCommandListLines = 11;
constexpr int kFirstOpcode = 0x80;
constexpr int kLastOpcode = 0xFF;
constexpr std::size_t kDirectoryBytes = (kLastOpcode - kFirstOpcode + 1) * 4;
constexpr std::size_t kShownLineLength = 40;

// The directory holds group offsets in 16 bits; the area's end keeps every one inside.
static_assert(kNandCommandAreaEnd <= 0x10000);

struct CommandLine {
  std::size_t index;  // in the command list
  std::string cleaned;
};

std::string LineReference(const CommandLine& line) {
  std::string shown = line.cleaned.substr(0, kShownLineLength);
  if (line.cleaned.size() > kShownLineLength) {
    shown += "...";
  }
  return " (command list line " + std::to_string(line.index + 1) + ": " + shown + ")";
}

std::string HexText(std::size_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04zX", value);
  return text;
}

std::size_t CommandAreaEnd(std::size_t header_size) {
  return header_size <= kNorHeaderSize ? header_size : std::min(header_size, kNandCommandAreaEnd);
}

std::string AreaEndReason(std::size_t area_end) {
  return area_end == kNandCommandAreaEnd ? "where the picture table goes on"
                                         : "the end of the image header";
}

// The command lines: every line after the first holding "[USERCMD]", cleaned.
std::vector<CommandLine> CommandLines(const CommandList& lines) {
  std::vector<CommandLine> commands;
  const auto section = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("[USERCMD]") != std::string::npos;
  });
  if (section == lines.end()) {
    return commands;
  }
  for (auto line = section + 1; line != lines.end(); ++line) {
    commands.push_back({static_cast<std::size_t>(line - lines.begin()), CleanCommandLine(*line)});
  }
  return commands;
}

void WriteDirectoryEntry(std::array<std::uint8_t, kDirectoryBytes>& directory, int opcode,
                         std::size_t group_offset, std::size_t count, std::size_t length) {
  std::uint8_t* entry = &directory[static_cast<std::size_t>(opcode - kFirstOpcode) * 4];
  entry[0] = static_cast<std::uint8_t>(group_offset >> 8);
  entry[1] = static_cast<std::uint8_t>(group_offset);
  entry[2] = static_cast<std::uint8_t>(count);
  // 80h keeps a 16-bit record count; the other opcodes keep their group's length.
  entry[3] = static_cast<std::uint8_t>(opcode == 0x80 ? count >> 8 : length);
}

}  // namespace

platform::Result<platform::Ok> EncodeUserCommands(const CommandList& lines, const RangeTable& gifs,
                                                  const RangeTable& numbers, HeaderBuffer& header) {
  if (lines.size() < kFewestCommandListLines) {
    return platform::Ok{};
  }
  const std::vector<CommandLine> commands = CommandLines(lines);
  if (commands.empty()) {
    return platform::Ok{};
  }
  if (header.size() < kCommandAreaStart) {
    return platform::Error("The image header is too small for the user commands");
  }
  const std::size_t area_end = CommandAreaEnd(header.size());

  std::array<std::uint8_t, kDirectoryBytes> directory;
  directory.fill(0xFF);
  std::vector<std::uint8_t> area;
  for (int opcode = kFirstOpcode; opcode <= kLastOpcode; ++opcode) {
    const auto layout = LayoutOf(opcode);
    if (!layout) {
      continue;
    }
    const std::string keyword = OpcodeKeyword(opcode);
    const std::size_t group_start = area.size();
    std::size_t count = 0;
    for (const CommandLine& line : commands) {
      if (!line.cleaned.starts_with(keyword)) {
        continue;
      }
      auto record = EncodeCommandLine(opcode, line.cleaned, gifs, numbers);
      if (!record) {
        return platform::Error(record.error().text + LineReference(line));
      }
      if (record->size() < layout->minimum) {
        continue;
      }
      const std::size_t record_end = kCommandAreaStart + area.size() + record->size();
      if (record_end > area_end) {
        return platform::Error("The user commands do not fit: the command area would end at 0x" +
                               HexText(record_end) + ", past its end at 0x" + HexText(area_end) +
                               ", " + AreaEndReason(area_end) + LineReference(line));
      }
      area.insert(area.end(), record->begin(), record->end());
      ++count;
    }
    if (count > 0) {
      WriteDirectoryEntry(directory, opcode, kCommandAreaStart + group_start, count,
                          area.size() - group_start);
    }
  }
  std::copy(directory.begin(), directory.end(), header.begin() + kCommandDirectoryStart);
  std::copy(area.begin(), area.end(), header.begin() + kCommandAreaStart);
  return platform::Ok{};
}

}  // namespace builder
