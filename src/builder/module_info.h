#pragma once
// The "[INFO]" keys of the command list into the module info record.

#include <array>
#include <cstdint>

#include "builder/builder_types.h"
#include "platform/message.h"

namespace builder {

inline constexpr std::size_t kModuleInfoKeyBytes = 35;  // bytes 0x00-0x22; the build time follows

platform::Result<std::array<std::uint8_t, kModuleInfoKeyBytes>> ParseModuleInfo(
    const CommandList& lines);

}  // namespace builder
