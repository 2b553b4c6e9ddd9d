#pragma once
// The text code page of files the tools write and read: 936 (GBK), or 950 (BIG5) under
// a Traditional Chinese locale. Internally all text is UTF-8.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class CodePage { Gbk936 = 936, Big5_950 = 950 };

// True when LC_ALL, else LC_CTYPE, else LANG starts with "zh_TW".
bool TraditionalLocaleFromEnvironment();

// 950 under the traditional locale, else 936. `force_traditional` comes from
// --traditional-locale.
CodePage TextCodePage(bool force_traditional = false);

// UTF-8 to the code page's bytes; characters the page lacks become "?".
std::string EncodeText(std::string_view utf8, CodePage page);

// Code-page bytes to UTF-8; bytes that form no character become "?".
std::string DecodeText(std::span<const std::uint8_t> bytes, CodePage page);
std::string DecodeText(std::string_view bytes, CodePage page);

// Lines joined with CR LF after every line, in the code page: the form of every
// listing and address list.
std::vector<std::uint8_t> TextFileBytes(const std::vector<std::string>& lines, CodePage page);

}  // namespace platform
