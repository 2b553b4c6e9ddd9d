#pragma once
// The subcommands of a CLI11 application that its help lists: hidden ones (with no
// group) and disabled ones are left out.

#include <CLI/CLI.hpp>
#include <vector>

namespace cli {

inline std::vector<const CLI::App*> ListedSubcommands(const CLI::App& app) {
  return app.get_subcommands(
      [](const CLI::App* sub) { return !sub->get_group().empty() && !sub->get_disabled(); });
}

}  // namespace cli
