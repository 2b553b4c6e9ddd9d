#include "platform/chinese_forms.h"

#include <memory>
#include <unordered_map>

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace platform {

namespace {

// One ICU converter per code page, kept open: a library run converts tens of
// thousands of codes one by one.
UConverter* Converter(CodePage page) {
  struct Closer {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
  };
  thread_local std::unique_ptr<UConverter, Closer> gbk, big5;
  auto& slot = page == CodePage::Big5_950 ? big5 : gbk;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(ucnv_open(page == CodePage::Big5_950 ? "windows-950" : "windows-936", &status));
    if (U_FAILURE(status))
      slot.reset();
    if (slot) {
      status = U_ZERO_ERROR;
      ucnv_setSubstChars(slot.get(), "?", 1, &status);
    }
  }
  return slot.get();
}

// A character-by-character form mapping with a memo of the characters already seen.
class FormMapping {
 public:
  explicit FormMapping(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    transform_.reset(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
    if (U_FAILURE(status))
      transform_.reset();
  }

  bool Available() const { return transform_ != nullptr; }

  const std::u16string& Map(char32_t character) {
    auto found = memo_.find(character);
    if (found != memo_.end())
      return found->second;
    icu::UnicodeString text(static_cast<UChar32>(character));
    transform_->transliterate(text);
    std::u16string mapped(reinterpret_cast<const char16_t*>(text.getBuffer()),
                          static_cast<std::size_t>(text.length()));
    return memo_.emplace(character, std::move(mapped)).first->second;
  }

 private:
  std::unique_ptr<icu::Transliterator> transform_;
  std::unordered_map<char32_t, std::u16string> memo_;
};

std::u16string MapForms(FormMapping& mapping, std::u16string_view text) {
  if (!mapping.Available())
    return {};
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t character = text[i++];
    if (character >= 0xD800 && character < 0xDC00 && i < text.size() && text[i] >= 0xDC00 &&
        text[i] < 0xE000)
      character = 0x10000 + ((character - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
    out += mapping.Map(character);
  }
  return out;
}

}  // namespace

std::u16string ToTraditionalForms(std::u16string_view text) {
  thread_local FormMapping mapping("Hans-Hant");
  return MapForms(mapping, text);
}

std::u16string ToSimplifiedForms(std::u16string_view text) {
  thread_local FormMapping mapping("Hant-Hans");
  return MapForms(mapping, text);
}

std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, CodePage page) {
  UConverter* converter = Converter(page);
  if (converter == nullptr || bytes.empty())
    return {};
  std::u16string out(bytes.size() + 2, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    // A second attempt with the length ICU asked for, should the first buffer be short.
    status = U_ZERO_ERROR;
    ucnv_reset(converter);
    length = ucnv_toUChars(
        converter, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
        reinterpret_cast<const char*>(bytes.data()), static_cast<int32_t>(bytes.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR)
      break;
    out.resize(static_cast<std::size_t>(length) + 1);
  }
  if (U_FAILURE(status))
    return {};
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string EncodeCodePage(std::u16string_view text, CodePage page) {
  UConverter* converter = Converter(page);
  if (converter == nullptr || text.empty())
    return {};
  std::string out(text.size() * 2 + 2, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    status = U_ZERO_ERROR;
    ucnv_reset(converter);
    length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                             reinterpret_cast<const UChar*>(text.data()),
                             static_cast<int32_t>(text.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR)
      break;
    out.resize(static_cast<std::size_t>(length) + 1);
  }
  if (U_FAILURE(status))
    return {};
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return {reinterpret_cast<const char16_t*>(text.getBuffer()),
          static_cast<std::size_t>(text.length())};
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string out;
  icu::UnicodeString(reinterpret_cast<const UChar*>(utf16.data()),
                     static_cast<int32_t>(utf16.size()))
      .toUTF8String(out);
  return out;
}

}  // namespace platform
