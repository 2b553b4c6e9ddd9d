#include "platform/code_page.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

namespace platform {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(CodePage page) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(
      ucnv_open(page == CodePage::Big5_950 ? "windows-950" : "windows-936", &status));
  if (U_FAILURE(status))
    throw std::runtime_error("code page converter missing");
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  return converter;
}

bool StartsWithZhTw(const char* value) {
  return value != nullptr && std::string_view(value).starts_with("zh_TW");
}

const char* FirstSet(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0')
      return value;
  }
  return nullptr;
}

// Converts between two ICU converters through a pivot buffer.
std::string Convert(UConverter* target, UConverter* source, std::string_view in, std::size_t room) {
  std::string out(room, '\0');
  char* out_begin = out.data();
  char* out_it = out_begin;
  const char* in_it = in.data();
  UChar pivot[256];
  UChar* pivot_source = pivot;
  UChar* pivot_target = pivot;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_convertEx(target, source, &out_it, out_begin + out.size(), &in_it, in.data() + in.size(),
                 pivot, &pivot_source, &pivot_target, pivot + 256, true, true, &status);
  if (U_FAILURE(status))
    throw std::runtime_error("text conversion failed");
  out.resize(static_cast<std::size_t>(out_it - out_begin));
  return out;
}

Converter OpenUtf8() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("UTF-8", &status));
  if (U_FAILURE(status))
    throw std::runtime_error("UTF-8 converter missing");
  return converter;
}

}  // namespace

bool TraditionalLocaleFromEnvironment() {
  return StartsWithZhTw(FirstSet({"LC_ALL", "LC_CTYPE", "LANG"}));
}

CodePage TextCodePage(bool force_traditional) {
  return force_traditional || TraditionalLocaleFromEnvironment() ? CodePage::Big5_950
                                                                 : CodePage::Gbk936;
}

std::string EncodeText(std::string_view utf8, CodePage page) {
  if (utf8.empty())
    return {};
  Converter target = OpenConverter(page);
  Converter source = OpenUtf8();
  return Convert(target.get(), source.get(), utf8, utf8.size() * 2 + 8);
}

std::string DecodeText(std::string_view bytes, CodePage page) {
  if (bytes.empty())
    return {};
  Converter source = OpenConverter(page);
  Converter target = OpenUtf8();
  // Bytes that form no character read as "?", as the platform's own conversion gives.
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(source.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                      &status);
  const std::string out = Convert(target.get(), source.get(), bytes, bytes.size() * 3 + 8);
  // The substitute of a bad byte is U+001A or U+FFFD depending on the table; show "?".
  std::string cleaned;
  cleaned.reserve(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\x1a') {
      cleaned += '?';
    } else if (out.compare(i, 3, "\xEF\xBF\xBD") == 0) {
      cleaned += '?';
      i += 2;
    } else {
      cleaned += out[i];
    }
  }
  return cleaned;
}

std::string DecodeText(std::span<const std::uint8_t> bytes, CodePage page) {
  return DecodeText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    page);
}

std::vector<std::uint8_t> TextFileBytes(const std::vector<std::string>& lines, CodePage page) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& line : lines) {
    const std::string encoded = EncodeText(line, page);
    bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  return bytes;
}

}  // namespace platform
