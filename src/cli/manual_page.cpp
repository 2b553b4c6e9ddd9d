#include "cli/manual_page.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cli/listed_subcommands.h"

namespace cli {

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \n");
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

// Every paragraph (blank-line separated) of `text` as its own .PP.
void Paragraphs(std::ostream& out, const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  bool open = false;
  while (std::getline(lines, line)) {
    if (line.empty()) {
      open = false;
      continue;
    }
    if (!open)
      out << ".PP\n";
    open = true;
    out << RoffText(line) << '\n';
  }
}

// The command line that reaches `app`: "dravick font charset".
std::string CommandPath(const CLI::App& app) {
  const CLI::App* parent = app.get_parent();
  return parent == nullptr ? app.get_name() : CommandPath(*parent) + " " + app.get_name();
}

// One .TP per option the help lists, in its order: positionals first, as "Positionals:"
// come before "Options:" in the help.
void Options(std::ostream& out, const CLI::App& app) {
  const CLI::Formatter formatter;
  for (const bool positional : {true, false}) {
    for (const CLI::Option* option : app.get_options()) {
      if (option->get_group().empty() || option->nonpositional() == positional)
        continue;
      out << ".TP\n"
          << "\\fB" << RoffText(formatter.make_option_name(option, positional)) << "\\fR";
      const std::string opts = Trim(formatter.make_option_opts(option));
      if (!opts.empty())
        out << " " << RoffText(opts);
      out << '\n' << RoffText(option->get_description()) << '\n';
    }
  }
}

// The usage line as the help prints it, "dravick picture [OPTIONS] INPUT...".
std::string Usage(const CLI::App& command) {
  const std::string usage = Trim(CLI::Formatter().make_usage(&command, CommandPath(command)));
  return usage.starts_with("Usage:") ? Trim(usage.substr(6)) : usage;
}

void Command(std::ostream& out, const CLI::App& command, bool top) {
  const std::string path = CommandPath(command);
  out << (top ? ".SH \"" + RoffText(Upper(path)) + "\"\n" : ".SS \"" + RoffText(path) + "\"\n");
  out << RoffText(command.get_description()) << "\n.PP\n";
  out << "\\fB" << RoffText(Usage(command)) << "\\fR\n";
  Options(out, command);
  for (const CLI::App* sub : ListedSubcommands(command))
    Command(out, *sub, false);
}

}  // namespace

std::string RoffText(const std::string& text) {
  std::string roff;
  bool line_start = true;
  for (const char c : text) {
    if (line_start && (c == '.' || c == '\''))
      roff += "\\&";
    if (c == '\\')
      roff += "\\e";
    else if (c == '-')
      roff += "\\-";
    else
      roff += c;
    line_start = c == '\n';
  }
  return roff;
}

std::string ManualPage(const CLI::App& app, const ManualText& text) {
  std::ostringstream out;
  const std::string name = app.get_name();
  out << ".\\\" Written by the build from the command-line definitions; do not edit.\n"
      << ".TH " << Upper(name) << " 1 \"\" \"" << RoffText(text.version) << "\" \"User Commands\"\n"
      << ".SH NAME\n"
      << RoffText(name) << " \\- " << RoffText(app.get_description()) << '\n'
      << ".SH SYNOPSIS\n";
  for (const CLI::App* sub : ListedSubcommands(app))
    out << ".B " << RoffText(Usage(*sub)) << "\n.br\n";
  out << ".B " << RoffText(name) << " \\-\\-help\n.br\n"
      << ".B " << RoffText(name) << " \\-\\-version\n"
      << ".SH DESCRIPTION\n";
  Paragraphs(out, text.description);
  out << ".SH OPTIONS\n";
  Options(out, app);
  for (const CLI::App* sub : ListedSubcommands(app))
    Command(out, *sub, true);
  out << text.closing;
  return out.str();
}

}  // namespace cli
