#pragma once
// The exact texts of the boot image window.

namespace bootimage {

inline constexpr const char* kOk = "OK";
inline constexpr const char* kCantOpen = "Can't open ";

}  // namespace bootimage
