#pragma once
// The "[INFO]" keys of the command list into the module info record.

#include <array>
#include <cstdint>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

inline constexpr std::size_t kModuleInfoKeyBytes = 35;  // bytes 0x00-0x22; the build time follows

// Shown by Make Bin when the keys cannot be found.
inline constexpr const char* kModuleInfoError = "Module info error!";

// Bytes 0x00-0x22 of the module info record (multi-byte fields big-endian). The error
// carries the exact text to show: "Module info error!" when the list has fewer than 11
// lines or "[INFO]" or a key is missing (keys are searched in their fixed order, each
// after the line of the previous one), or "'<value>' is not a valid integer value (...)"
// when a decimal key's value holds no digit; either way the build stops.
platform::Result<std::array<std::uint8_t, kModuleInfoKeyBytes>> ParseModuleInfo(
    const CommandList& lines);

}  // namespace builder
