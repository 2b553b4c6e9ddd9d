// `dravick build`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddBuildCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("build", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick build: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
