// Cursor hex text read back the "Import" way; whatever the text, the bytes it gives must
// survive a round trip through the hex listing.
#include <string_view>

#include "cursor/cursor_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = cursor::TextLines(text);
  for (const std::string& line : lines)
    FUZZ_REQUIRE(line.find_first_of("\r\n") == std::string::npos);
  const cursor::CursorBytes bytes = cursor::ImportHexListing(lines);
  const std::vector<std::string> listing = cursor::CursorListingLines(bytes);
  FUZZ_REQUIRE(listing.size() == 16);
  FUZZ_REQUIRE(cursor::ImportHexListing(listing) == bytes);
  FUZZ_REQUIRE(cursor::CursorFileBytes(cursor::CursorFromBytes(bytes)) == bytes);
  return 0;
}
