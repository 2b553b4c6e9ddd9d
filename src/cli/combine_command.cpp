// `dravick combine`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddCombineCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("combine", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick combine: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
