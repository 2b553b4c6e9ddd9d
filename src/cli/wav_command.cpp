// `dravick wav`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddWavCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("wav", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick wav: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
