// A picture or GIF address list read back as the builder reads it: its cleaned lines and
// the four numbers of every entry line.
#include "builder/address_list.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  for (const std::string& line : builder::AddressListLines(input)) {
    FUZZ_REQUIRE(!line.empty());
    FUZZ_REQUIRE(line.size() <= 1023);
    for (const char c : line)
      FUZZ_REQUIRE(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80);
    const auto entry = builder::ReadEntryLine(line);
    if (!entry) {
      FUZZ_REQUIRE(fuzz::ClearError(entry.error()));
      continue;
    }
    if (entry->has_value()) {
      FUZZ_REQUIRE(line.front() == '{');
      FUZZ_REQUIRE(line.ends_with((*entry)->rest));
    }
  }
  return 0;
}
