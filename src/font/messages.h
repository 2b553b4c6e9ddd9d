#pragma once
// The exact texts of the font window, misspellings kept.

namespace font {

inline constexpr const char* kOpenCreatFileError = "open Creat file error!\n";
inline constexpr const char* kStartGreaterThanEnd = "Error for start code > end code. And stop.";
inline constexpr const char* kStringFontOk = "String Font bin ok";
inline constexpr const char* kUnicodeStart = "Unicode start:";
inline constexpr const char* kUnicodeEnd = "Unicode end:";
inline constexpr const char* kUnicodeNumber = "Unicode nmuber:";
// The platform's text when a number field does not hold an integer; %s is the field's text.
inline constexpr const char* kNotAValidInteger = "'%s' is not a valid integer value";
// A cell or library too large to hold in memory.
inline constexpr const char* kOutOfMemory = "Out of memory";
// What a run says about characters its face lacks; each count comes first.
inline constexpr const char* kDrawnWith = " characters drawn with ";
inline constexpr const char* kNoGlyphInAnyFont = " characters have no glyph in any installed font";
inline constexpr const char* kNoGlyphIn = " characters have no glyph in ";
inline constexpr const char* kCouldNotRead = " characters could not be read from ";
// Beside the preview: the faces that drew the tested glyph.
inline constexpr const char* kGlyphDrawnWith = "Drawn with ";
inline constexpr const char* kGlyphInNoFont = "No glyph in any installed font";
inline constexpr const char* kGlyphNotIn = "No glyph in ";
// The proposed name of the save dialog and its filter.
inline constexpr const char* kProposedFontName = "Font_";
inline constexpr const char* kFontFileFilter = "*.bin";

}  // namespace font
