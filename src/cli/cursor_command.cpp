// `dravick cursor`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddCursorCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("cursor", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick cursor: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
