#pragma once
// The boot script: the register entries the Mrl controller runs from the start of its
// SPI flash, always 367 bytes, and its hex text view.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bootimage/boot_settings.h"
#include "platform/message.h"

namespace bootimage {

inline constexpr std::size_t kBootScriptSize = 367;

// The value of registers 0xE2/0xE3: 7812 / (1000 / MCLK_N) - 2, both divisions truncating.
// An MCLK_N for which 1000 / MCLK_N is zero or undefined gives an error naming MCLK_N.
platform::Result<std::int32_t> RefreshCount(std::int32_t mclk_n);

// The script for these settings. Fails only on an MCLK_N that RefreshCount refuses.
platform::Result<std::vector<std::uint8_t>> BuildBootScript(const BootSettings& settings);

// The memo's text: the magic bytes and "//ID " on the first line, then four bytes per line,
// each as two upper-case hex digits and a blank, lines joined by CR LF, no line break
// after the last byte.
std::string BootScriptText(const std::vector<std::uint8_t>& script);

}  // namespace bootimage
