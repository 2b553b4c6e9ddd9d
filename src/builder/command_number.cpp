#include "builder/command_number.h"

#include <limits>

namespace builder {
namespace {

constexpr std::size_t kLongestHexToken = 10;  // "0x" and eight digits

std::uint32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<std::uint32_t>(c - '0');
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<std::uint32_t>(c - 'A' + 10);
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<std::uint32_t>(c - 'a' + 10);
  }
  return 0;
}

}  // namespace

std::string NotAnIntegerText(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

platform::Result<std::uint32_t> ReadDecimal(std::string_view text) {
  constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();
  if (text.empty()) {
    return platform::Error(NotAnIntegerText(text));
  }
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return platform::Error(NotAnIntegerText(text));
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kLargest) {
      return platform::Error(NotAnIntegerText(text));
    }
  }
  return static_cast<std::uint32_t>(value);
}

platform::Result<std::uint32_t> ReadNumber(std::string_view token) {
  const bool hexadecimal = token.size() >= 2 && (token[1] == 'x' || token[1] == 'X');
  if (!hexadecimal) {
    return ReadDecimal(token);
  }
  if (token.size() > kLongestHexToken) {
    return std::uint32_t{0};
  }
  std::uint32_t value = 0;
  for (char c : token.substr(2)) {
    value = value * 16 + HexDigitValue(c);
  }
  return value;
}

}  // namespace builder
