// `dravick combine`: "File 1" ... "File 6" picked in order, then "File Combine".
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "combine/combination.h"
#include "combine/slot_table.h"

namespace cli {

namespace {

struct CombineOptions {
  std::string output;
  std::vector<std::string> files;  // FILE or FILE@START
  Common common;
};

struct SlotArgument {
  std::string path;
  std::optional<std::string> start;
};

// "a.bin@4096" -> a.bin starting at 4096. Only decimal digits after the last "@" make a
// start, so a name holding "@" elsewhere is taken whole.
SlotArgument ParseSlotArgument(const std::string& argument) {
  const auto at = argument.rfind('@');
  if (at == std::string::npos || at + 1 == argument.size())
    return {argument, std::nullopt};
  const std::string start = argument.substr(at + 1);
  if (!std::all_of(start.begin(), start.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {argument, std::nullopt};
  }
  return {argument.substr(0, at), start};
}

int Run(const CombineOptions& options) {
  const Common& common = options.common;
  combine::SlotTable table;
  for (std::size_t index = 0; index < options.files.size(); ++index) {
    const int slot = static_cast<int>(index);
    const SlotArgument argument = ParseSlotArgument(options.files[index]);
    // Digits only, so "not 0" is any digit other than 0, however long the number.
    if (slot == 0 && argument.start &&
        argument.start->find_first_not_of('0') != std::string::npos) {
      std::cerr << "dravick combine: File 1 always starts at 0\n";
      return kUsage;
    }
    const auto picked = combine::PickFile(table, slot, argument.path);
    if (!picked)
      return Print(picked.error(), common);
    if (argument.start && slot > 0)
      table[index].start = *argument.start;
  }
  const auto slots = combine::SlotsToCombine(table);
  if (!slots)
    return Print(slots.error(), common);
  const combine::CombineOutcome outcome = combine::CombineFiles(
      *slots, options.output, platform::TextCodePage(common.traditional_locale));
  for (const std::string& warning : outcome.warnings)
    Print(platform::Warning(warning), common);
  int status = kOk;
  for (const platform::Message& message : outcome.messages)
    status = std::max(status, Print(message, common));
  return status;
}

}  // namespace

void AddCombineCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<CombineOptions>();
  CLI::App* command = app.add_subcommand(
      "combine", "Place up to six bin files at start addresses in one file, with a listing");
  command->add_option("-o", options->output, "Combined file name")->required();
  command
      ->add_option("FILE[@START]", options->files,
                   "Slot by slot; START (decimal) defaults to the end of the previous slot")
      ->required()
      ->expected(1, combine::kSlotCount);
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
