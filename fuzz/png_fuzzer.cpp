// PNG files through our decoder, then keyed, rotated and encoded.
#include "fuzz/fuzz_check.h"
#include "fuzz/picture_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  fuzz::CheckDecodedPicture(platform::DecodePng(input), input);
  return 0;
}
