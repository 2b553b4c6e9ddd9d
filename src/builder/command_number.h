#pragma once
// Numbers of the project file: user command arguments ("12", "0x1F") and the decimal
// values of the module keys.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message.h"

namespace builder {

// The error shown when a text is no decimal integer: "'12AB' is not a valid integer value".
std::string NotAnIntegerText(std::string_view text);

// A decimal integer of digits only, at most 2147483647. Empty text, any other character
// or a larger value gives the "not a valid integer value" error.
platform::Result<std::uint32_t> ReadDecimal(std::string_view text);

// One argument token. A second character "x" or "X" makes it hexadecimal: the characters
// from the third on are digits, where anything but 0-9, A-F, a-f counts 0, and a token
// longer than 10 characters reads 0. Every other token goes through ReadDecimal.
platform::Result<std::uint32_t> ReadNumber(std::string_view token);

}  // namespace builder
