// `dravick gif`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddGifCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("gif", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick gif: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
