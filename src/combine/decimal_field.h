#pragma once
// Start and length fields hold signed 32-bit decimal numbers typed as text.

#include <cstdint>
#include <string>

#include "platform/message.h"

namespace combine {

// The number a field holds, or an error naming the field and its text, such as
// "Start Address of File 2: '' is not a valid integer value".
platform::Result<std::int32_t> ParseDecimalField(const std::string& text, const std::string& label);

}  // namespace combine
