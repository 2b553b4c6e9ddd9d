#pragma once
// Numeric edit fields hold signed 32-bit decimal numbers typed as text.

#include <cstdint>
#include <string>

#include "platform/message.h"

namespace platform {

// The number a field holds, or an error naming the field and its text, such as
// "CCLK_N: '' is not a valid integer value".
Result<std::int32_t> ParseDecimalField(const std::string& text, const std::string& label);

}  // namespace platform
