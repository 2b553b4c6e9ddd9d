#include "builder/build_time.h"

#include <cstdlib>
#include <string>

namespace builder {

BuildTime LocalBuildTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

BuildTime BuildTimeNow() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    try {
      std::size_t used = 0;
      const long long seconds = std::stoll(epoch, &used);
      if (used == std::string(epoch).size())
        return LocalBuildTime(static_cast<std::time_t>(seconds));
    } catch (const std::exception&) {
      // A malformed value is ignored, as reproducible-build tools do.
    }
  }
  return LocalBuildTime(std::time(nullptr));
}

std::array<std::uint8_t, 7> BuildTimeBytes(const BuildTime& time) {
  auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
  return {byte(time.month), byte(time.day),    byte(time.year / 100), byte(time.year % 100),
          byte(time.hour),  byte(time.minute), byte(time.second)};
}

}  // namespace builder
