// A flash image or "UserInfo" copy handed to the inspector: every table it describes is
// read within the file, and a summary comes back for any file long enough for a header.
#include "builder/builder_types.h"
#include "builder/image_inspect.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Files shorter than a header are refused at once; pad short inputs so the fuzzer
  // spends its time inside the tables.
  std::vector<std::uint8_t> image(data, data + size);
  if (image.size() < builder::kNorHeaderSize)
    image.resize(builder::kNorHeaderSize, 0xFF);
  const auto report = builder::InspectImage(image);
  if (!report) {
    FUZZ_REQUIRE(fuzz::ClearError(report.error()));
    return 0;
  }
  FUZZ_REQUIRE(report->header_size == builder::kNorHeaderSize ||
               report->header_size == builder::kNandHeaderSize);
  FUZZ_REQUIRE(!report->lines.empty());
  const auto refused = builder::InspectImage(std::span(image).first(builder::kNorHeaderSize - 1));
  FUZZ_REQUIRE(!refused && fuzz::ClearError(refused.error()));
  return 0;
}
