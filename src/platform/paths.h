#pragma once
// Paths travel through the program as UTF-8 strings; these convert at the file system.

#include <filesystem>
#include <string>

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The platform's folder separator as text ("/" here).
inline constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// The folder part of a path up to and including its last separator; a path without
// one is taken whole.
std::string FolderOf(const std::string& path);
// The part after the last separator.
std::string BareName(const std::string& path);

}  // namespace platform
