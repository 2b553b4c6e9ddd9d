#pragma once
// The exact texts of the WAV tool, misspellings kept. The last four are ours: the
// window had nothing to say about cut-short files and files without sample data.

namespace audio {

inline constexpr const char* kOpenFileFailed = "打开文件失败!";
inline constexpr const char* kErrorChunk = "Error Chunk!";
inline constexpr const char* kEightBitsOnly =
    "8bits wav files,Please didn't select 16bits bin data";
inline constexpr const char* kUnsupportedBits = "Can't suport this bits";
inline constexpr const char* kUnsupportedFormat = "Don't support this format!";
inline constexpr const char* kStartToConvert = "Start to convert, please wait...";
inline constexpr const char* kFileNotAccessible = "The file might not be accessibl.";
inline constexpr const char* kOk = "OK";

inline constexpr const char* kHeaderTooShort = "The wav file is too short for its header";
inline constexpr const char* kChunkHeaderCut = "The wav file ends inside a chunk header";
inline constexpr const char* kNoDataChunk = "The wav file has no data chunk";
// Followed by "N of D bytes are in the file".
inline constexpr const char* kDataChunkCut = "The data chunk is cut short: ";

}  // namespace audio
