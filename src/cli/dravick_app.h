#pragma once
// The `dravick` command line: every subcommand with its options. The program parses with
// it; its manual page and its bash completion are written from it at build time, so
// neither can drift from `--help`.

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

// Adds the name, the description, --version and every subcommand to `app`. A
// subcommand's callback stores its exit status in `status`.
void DefineDravick(CLI::App& app, int& status);

// "dravick 1.641", followed by " (git abc1234)" when the build came from a checkout.
std::string VersionText();

}  // namespace cli
