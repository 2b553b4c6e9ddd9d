#include "combine/decimal_field.h"

#include <charconv>

namespace combine {

platform::Result<std::int32_t> ParseDecimalField(const std::string& text,
                                                 const std::string& label) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end)
    return platform::Error(label + ": '" + text + "' is not a valid integer value");
  return value;
}

}  // namespace combine
