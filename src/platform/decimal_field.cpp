#include "platform/decimal_field.h"

#include <charconv>

namespace platform {

Result<std::int32_t> ParseDecimalField(const std::string& text, const std::string& label) {
  std::int32_t value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (text.size() > 1 && text[0] == '+' && text[1] != '-')
    ++begin;  // "+5" reads as 5, as the command line's decimal options allow
  const auto [rest, error] = std::from_chars(begin, end, value);
  if (text.empty() || error != std::errc() || rest != end)
    return Error(label + ": '" + text + "' is not a valid integer value");
  return value;
}

}  // namespace platform
