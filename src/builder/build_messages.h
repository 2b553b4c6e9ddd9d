#pragma once
// The exact texts of "Make Bin" and the builder window, misspellings kept.

#include <string>

#include "builder/project_file.h"  // "Open fail!" and "open Creat file error!\n"

namespace builder {

inline constexpr const char* kNoPictureData = "There aren't any picture data!";
inline constexpr const char* kNoInfoData = "There aren't any info data!";
inline constexpr const char* kTooManyBootloaders = "There are too much bootloader files!";
inline constexpr const char* kBootloaderTooLarge = "The bootloader files is too large!";
inline constexpr const char* kGifNumberOver = "Gif number is over than 10";
inline constexpr const char* kFailToOpenFile = "Fail to Open the file";
inline constexpr const char* kTabKey = "VK_TAB";
inline constexpr const char* kOk = "OK";

// "Open " + path + " fail!": an address list that cannot be read.
inline std::string OpenListFail(const std::string& path) {
  return "Open " + path + " fail!";
}

// "Can't open " + path: the flash image or one of its resource files.
inline std::string CantOpen(const std::string& path) {
  return "Can't open " + path;
}

}  // namespace builder
