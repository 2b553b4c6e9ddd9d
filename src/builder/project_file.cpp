#include "builder/project_file.h"

#include <algorithm>

#include "platform/read_limits.h"

namespace builder {
namespace {

constexpr std::size_t kTabWidth = 8;

// Section lines written with a bare LF get a blank line in front of them, which keeps the
// sections apart in the list.
bool IsBareSectionLine(const std::string& line) {
  return line == "[INFO]" || line == "[USERCMD]";
}

void AppendCapped(std::string& line, std::uint8_t byte) {
  if (byte == '\t') {
    const std::size_t room = kMaxProjectLineLength - std::min(line.size(), kMaxProjectLineLength);
    line.append(std::min(kTabWidth, room), ' ');
  } else if (line.size() < kMaxProjectLineLength) {
    line.push_back(static_cast<char>(byte));
  }
}

}  // namespace

CommandList LoadProjectLines(std::span<const std::uint8_t> file) {
  CommandList lines;
  std::string line;
  bool collecting = false;  // bytes seen since the last LF
  for (std::uint8_t byte : file) {
    if (byte != '\n') {
      AppendCapped(line, byte);
      collecting = true;
      continue;
    }
    if (line.empty()) {
      lines.emplace_back(" ");
    } else {
      if (IsBareSectionLine(line)) {
        lines.emplace_back(" ");
      }
      lines.push_back(line);
    }
    line.clear();
    collecting = false;
  }
  if (collecting) {
    lines.emplace_back(" ");
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::uint8_t> SaveProjectLines(const CommandList& lines) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& line : lines) {
    for (char c : line) {
      if (static_cast<std::uint8_t>(c) >= 0x20) {
        bytes.push_back(static_cast<std::uint8_t>(c));
      }
    }
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  return bytes;
}

bool IsProjectFileChoice(const std::string& chosen_name) {
  return !chosen_name.empty() && chosen_name.find(kProjectPattern) == std::string::npos;
}

platform::Result<CommandList> ReadProjectFile(const std::string& path) {
  const auto file = platform::ReadFile(path, platform::kTextFileLimit);
  if (!file)
    return platform::Because(platform::Error(kOpenFail), path, file.error().text);
  return LoadProjectLines(*file);
}

}  // namespace builder
