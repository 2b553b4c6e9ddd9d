#include "builder/command_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace builder {
namespace {

TEST(ReadNumber, ReadsDecimalAndHexadecimalTokens) {
  const std::vector<std::pair<std::string, std::uint32_t>> cases = {
      {"0", 0},
      {"123", 123},
      {"007", 7},
      {"2147483647", 2147483647u},
      {"0x1F", 0x1F},
      {"0Xab", 0xAB},
      {"1x10", 0x10},  // any first character before the "x"
      {"0x", 0},       // no digits
      {"0xFFFFFFFF", 0xFFFFFFFFu},
      {"0x123456789", 0},  // eleven characters
      {"0x1x2", 0x102},    // a stray "x" counts 0
  };
  for (const auto& [token, value] : cases) {
    SCOPED_TRACE(token);
    auto number = ReadNumber(token);
    ASSERT_TRUE(number.ok()) << number.error().text;
    EXPECT_EQ(*number, value);
  }
}

TEST(ReadNumber, RefusesWhatIsNoDecimalInteger) {
  for (const std::string token : {"", "12AB", "x1F", "2147483648", "99999999999"}) {
    SCOPED_TRACE(token);
    auto number = ReadNumber(token);
    ASSERT_FALSE(number.ok());
    EXPECT_EQ(number.error().text, "'" + token + "' is not a valid integer value");
  }
}

}  // namespace
}  // namespace builder
