#pragma once
// Writing a finished font library or string font under the name the user chose.

#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace font {

// ".bin" is appended when the name holds no ".bin" anywhere (case-sensitive); an
// existing file is replaced whole. Returns the path written, or "Error file's name"
// for an empty name and "open Creat file error!\n" when the file cannot be written. A
// name that is one of `inputs` (the text file, a font file) is refused.
platform::Result<std::string> WriteFontFile(std::span<const std::uint8_t> bytes,
                                            const std::string& chosen_name,
                                            const std::vector<std::string>& inputs = {});

// The byte listing of the test buttons: "0xAB, " per byte and CR LF after every eighth.
std::string GlyphByteListing(std::span<const std::uint8_t> bytes);

}  // namespace font
