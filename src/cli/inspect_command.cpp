// `dravick inspect`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddInspectCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("inspect", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick inspect: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
