// `dravick boot`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddBootCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("boot", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick boot: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
