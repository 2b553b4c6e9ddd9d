#pragma once
// Saving the boot image under the name chosen in the save dialog (or `-o`).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message.h"

namespace bootimage {

// The save dialog proposes this name; ".bin" is appended by the output name rule.
inline constexpr const char* kProposedName = "Bootloader";

// Creates or replaces the file with exactly the script's bytes. Returns "OK" (Done), or
// "Error file's name" for an empty name, or "Can't open " + path when it cannot be written.
platform::Message SaveBootImage(const std::string& chosen_name,
                                const std::vector<std::uint8_t>& script);

}  // namespace bootimage
