#pragma once
// The exact texts of the picture and GIF converters, misspellings kept.

namespace picture {

inline constexpr const char* kStartToConvert = "Start to convert, please wait...";
inline constexpr const char* kConvertOk = "Convert ok";
inline constexpr const char* kPleaseInputPicture = "Please input picture!";
inline constexpr const char* kPleaseInputGif = "Please input gif files!";
inline constexpr const char* kFailToOpen = "Fail to Open the file";
inline constexpr const char* kFailToConvert = "Fail to convert ";
inline constexpr const char* kFileDoesNotExist = "The file does not exist.";
inline constexpr const char* kFileNotAccessible = "The file might not be accessibl.";

// Ours: a stopped run replaced the resource file, so the list beside it was stale.
inline constexpr const char* kEarlierListRemoved =
    "The run stopped, so its pictures have no address list; removed the address list of an "
    "earlier run, which no longer matches the resource file: ";

}  // namespace picture
