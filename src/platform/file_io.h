#pragma once
// Whole-file reads and writes. Writers never leave a half-written file: bytes go to a
// temporary file in the same folder that is renamed into place.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

// The whole file, or nothing when it cannot be opened or read.
std::optional<Bytes> ReadFileBytes(const std::string& path);

// Creates or replaces the file with exactly these bytes. False when it cannot be written;
// an existing file of that name is then left as it was.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Appends to an existing file, or creates it when `create` is set (replacing any file of
// that name). Used by conversion runs that store one item after another.
bool StoreInFile(const std::string& path, std::span<const std::uint8_t> bytes, bool create);

bool FileExists(const std::string& path);

}  // namespace platform
