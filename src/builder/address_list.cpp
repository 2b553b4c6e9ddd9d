#include "builder/address_list.h"

#include <array>

#include "builder/command_number.h"

namespace builder {

namespace {

constexpr std::size_t kMaxLineLength = 1023;

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == 'X' ||
         c == 'x';
}

}  // namespace

std::vector<std::string> AddressListLines(std::span<const std::uint8_t> file) {
  std::vector<std::string> lines;
  std::string line;
  auto finish_line = [&] {
    if (!line.empty())
      lines.push_back(line);
    line.clear();
  };
  for (std::uint8_t byte : file) {
    if (byte == '\n') {
      finish_line();
    } else if (byte == '\t') {
      for (int i = 0; i < 4 && line.size() < kMaxLineLength; ++i)
        line += ' ';
    } else if (byte >= 0x20 && byte < 0x80 && line.size() < kMaxLineLength) {
      line += static_cast<char>(byte);
    }
  }
  finish_line();
  return lines;
}

platform::Result<std::optional<EntryLine>> ReadEntryLine(const std::string& line) {
  if (!line.starts_with('{'))
    return std::optional<EntryLine>{};
  std::array<std::uint32_t, 4> numbers{};
  std::size_t count = 0;
  std::string token;
  for (std::size_t i = 1; i < line.size() && count < numbers.size(); ++i) {
    const char c = line[i];
    if (IsNumberCharacter(c)) {
      token += c;
    } else if (c == ',' || c == '}') {
      const platform::Result<std::uint32_t> number = ReadNumber(token);
      if (!number)
        return number.error();
      numbers[count++] = *number;
      token.clear();
    }
  }
  if (count < numbers.size())
    return std::optional<EntryLine>{};
  const std::size_t brace = line.find('}');
  EntryLine entry{numbers[0], numbers[1], numbers[2], numbers[3],
                  brace == std::string::npos ? std::string() : line.substr(brace + 1)};
  return std::optional<EntryLine>{entry};
}

}  // namespace builder
