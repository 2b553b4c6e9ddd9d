// A project file: its lines into the command list, the module info keys and the user
// commands encoded into a NOR or a NAND header, then the list saved and loaded again.
#include "builder/module_info.h"
#include "builder/project_file.h"
#include "builder/user_commands.h"
#include "fuzz/fuzz_check.h"

namespace {

void CheckLines(const builder::CommandList& lines) {
  for (const std::string& line : lines) {
    FUZZ_REQUIRE(!line.empty());
    FUZZ_REQUIRE(line.size() <= builder::kMaxProjectLineLength);
    FUZZ_REQUIRE(line.find('\n') == std::string::npos);
  }
}

void CheckCommands(const builder::CommandList& lines, fuzz::Choices& choices) {
  const builder::RangeTable some_gifs{{0, 3}, {4, 9}};
  const builder::RangeTable some_numbers{{10, 19}};
  const bool with_ranges = choices.Next(2) == 1;
  const std::size_t size =
      choices.Next(2) == 1 ? builder::kNandHeaderSize : builder::kNorHeaderSize;
  builder::HeaderBuffer header(size, 0xFF);
  const auto encoded =
      builder::EncodeUserCommands(lines, with_ranges ? some_gifs : builder::RangeTable{},
                                  with_ranges ? some_numbers : builder::RangeTable{}, header);
  FUZZ_REQUIRE(header.size() == size);
  if (!encoded) {
    FUZZ_REQUIRE(fuzz::ClearError(encoded.error()));
    // A refused list leaves the header as it was.
    FUZZ_REQUIRE(header == builder::HeaderBuffer(size, 0xFF));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const builder::CommandList lines = builder::LoadProjectLines(input);
  CheckLines(lines);

  const auto info = builder::ParseModuleInfo(lines);
  if (!info)
    FUZZ_REQUIRE(fuzz::ClearError(info.error()));

  fuzz::Choices choices(input);
  CheckCommands(lines, choices);

  // Saving keeps every line, so loading the saved file gives at least as many.
  const std::vector<std::uint8_t> saved = builder::SaveProjectLines(lines);
  FUZZ_REQUIRE(builder::LoadProjectLines(saved).size() >= lines.size());
  return 0;
}
