#pragma once
// The build time stamped into the module info (0x423-0x429).

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>

namespace builder {

struct BuildTime {
  int year = 2000;
  int month = 1;  // 1-12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Now in local time, or the moment SOURCE_DATE_EPOCH names (seconds since 1970, shown
// in local time) so that two builds of the same inputs give the same bytes.
BuildTime BuildTimeNow();

// The local time of a moment.
BuildTime LocalBuildTime(std::time_t moment);

// Month, day, century, year in century, hour, minute, second: plain numbers, not BCD.
std::array<std::uint8_t, 7> BuildTimeBytes(const BuildTime& time);

}  // namespace builder
