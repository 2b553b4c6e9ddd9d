#pragma once
// Chinese character forms and per-code conversions between UTF-16 and the code pages
// 936 (GBK) and 950 (BIG5), as the font library generator needs them. Built on ICU's
// Windows tables and its Hans-Hant / Hant-Hans transforms.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace platform {

// Each character mapped to its Traditional (or Simplified) form on its own, one after
// another; empty when the mapping is unavailable.
std::u16string ToTraditionalForms(std::u16string_view text);
std::u16string ToSimplifiedForms(std::u16string_view text);

// Code-page bytes to UTF-16. Bytes that form no character decode as the Windows table
// yields them.
std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, CodePage page);
// UTF-16 to code-page bytes, "?" for every character the page lacks.
std::string EncodeCodePage(std::u16string_view text, CodePage page);

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace platform
