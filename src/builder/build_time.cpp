#include "builder/build_time.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace builder {

BuildTime LocalBuildTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

BuildTime BuildTimeNow() {
  // A malformed or out-of-range value is ignored, as reproducible-build tools do.
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    const std::string_view text(epoch);
    long long seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error == std::errc() && end == text.data() + text.size())
      return LocalBuildTime(static_cast<std::time_t>(seconds));
  }
  return LocalBuildTime(std::time(nullptr));
}

std::array<std::uint8_t, 7> BuildTimeBytes(const BuildTime& time) {
  auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
  return {byte(time.month), byte(time.day),    byte(time.year / 100), byte(time.year % 100),
          byte(time.hour),  byte(time.minute), byte(time.second)};
}

}  // namespace builder
