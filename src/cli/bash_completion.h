#pragma once
// A bash completion script for a CLI11 application: its subcommands at every level, each
// level's options, the values of options that take one of a set, file names for the
// rest. Written from the application's definitions, so it knows every subcommand.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace cli {

std::string BashCompletion(const CLI::App& app);

// The values an option accepts when it takes one of a fixed set (a CheckedTransformer
// over a map or an IsMember check describes them), empty otherwise.
std::vector<std::string> OptionChoices(const CLI::Option& option);

}  // namespace cli
