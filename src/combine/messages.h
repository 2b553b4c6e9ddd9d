#pragma once
// The exact texts of the combiner window, misspellings kept.

namespace combine {

inline constexpr const char* kFileNotAccessible = "The file might not be accessibl.";
inline constexpr const char* kFailToOpen = "Fail to Open the file";
inline constexpr const char* kCantOpen = "Can't open ";
inline constexpr const char* kCombineOver = "Combine over";

// What the open and save dialogs hold before a name is chosen; a cancelled dialog leaves it.
inline constexpr const char* kBinPattern = "*.bin";

}  // namespace combine
