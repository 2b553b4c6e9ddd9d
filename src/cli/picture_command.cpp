// `dravick picture`
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

void AddPictureCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("picture", "Not available yet");
  command->allow_extras();
  command->callback([&status] {
    std::cerr << "dravick picture: not available yet\n";
    status = kFailed;
  });
}

}  // namespace cli
