#pragma once
// The manual page of a CLI11 application in roff (man(7)): its options, then a section
// per subcommand with the usage line, options and arguments exactly as `--help` shows
// them, so the page follows whatever the application defines.

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

struct ManualText {
  std::string version;      // the footer's source, such as "Dravick Tool 1.641"
  std::string description;  // paragraphs of DESCRIPTION, separated by blank lines
  std::string closing;      // roff of the sections after the subcommands
};

std::string ManualPage(const CLI::App& app, const ManualText& text);

// Text as roff shows it literally: backslashes and hyphens escaped, no line taken as a
// request.
std::string RoffText(const std::string& text);

}  // namespace cli
