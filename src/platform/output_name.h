#pragma once
// The naming rule of every save dialog and of `-o`: ".bin" is appended when the chosen
// name holds no ".bin" anywhere (case-sensitive); listings beside the file replace the
// part from its first ".bin" with "-Addr.txt".

#include <string>

#include "platform/message.h"

namespace platform {

inline constexpr const char* kErrorFileName = "Error file's name";

// The output path for a chosen name, or "Error file's name" for an empty one.
Result<std::string> OutputPathFor(const std::string& chosen_name,
                                  const std::string& extension = ".bin");

// "pics.bin" -> "pics-Addr.txt"; "a.bin.old" -> "a-Addr.txt"; a path without ".bin" gets
// "-Addr.txt" appended whole.
std::string AddressListPathFor(const std::string& output_path);

}  // namespace platform
