#include "builder/module_info.h"

namespace builder {

// Placeholder until the module info work lands.
platform::Result<std::array<std::uint8_t, kModuleInfoKeyBytes>> ParseModuleInfo(
    const CommandList&) {
  return platform::Error("module info not available yet");
}

}  // namespace builder
