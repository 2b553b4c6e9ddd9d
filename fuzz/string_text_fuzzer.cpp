// The text file of a string font: lines decoded from both text code pages, and the code
// table each line gives, one high and low byte per character.
#include "font/string_font.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  for (const platform::CodePage page : {platform::CodePage::Gbk936, platform::CodePage::Big5_950}) {
    for (const std::u16string& line : font::StringTextLines(input, page)) {
      FUZZ_REQUIRE(line.find_first_of(u"\r\n") == std::u16string::npos);
      FUZZ_REQUIRE(line.find(u'\0') == std::u16string::npos);
      FUZZ_REQUIRE(font::CodeTableOf(line, page).size() == line.size() * 2);
    }
  }
  return 0;
}
