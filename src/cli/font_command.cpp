// `dravick font`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddFontCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("font", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick font: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
