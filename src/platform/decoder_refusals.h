#pragma once
// For decoder tests: a table of files a decoder must refuse, each with its exact reason.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::testing {

struct Refusal {
  const char* name;
  std::vector<std::uint8_t> file;
  std::string reason;
};

template <class Decode>
void ExpectRefusals(const std::vector<Refusal>& cases, Decode decode) {
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    const auto decoded = decode(c.file);
    ASSERT_FALSE(decoded.ok());
    EXPECT_EQ(decoded.error().text, c.reason);
  }
}

}  // namespace platform::testing
