#include "cli/bash_completion.h"

#include <sstream>

#include "cli/listed_subcommands.h"

namespace cli {

namespace {

// Every name an option answers to, "-o" and "--output" alike.
std::vector<std::string> OptionNames(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& name : option.get_snames())
    names.push_back("-" + name);
  for (const std::string& name : option.get_lnames())
    names.push_back("--" + name);
  return names;
}

std::string Join(const std::vector<std::string>& words, const std::string& separator) {
  std::string joined;
  for (const std::string& word : words)
    joined += (joined.empty() ? "" : separator) + word;
  return joined;
}

// Single-quoted for bash; the names are plain words, the quotes keep them so.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool TakesValue(const CLI::Option& option) {
  return option.get_items_expected_max() > 0;
}

bool IsNumber(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  return type.starts_with("INT") || type.starts_with("UINT") || type.starts_with("FLOAT") ||
         type.find("DECIMAL") != std::string::npos;
}

// The case branches of one command level and, recursively, of its subcommands. `path`
// is the level's subcommand words joined by spaces, "" for the application itself.
void Level(std::ostream& words, std::ostream& values, const CLI::App& app,
           const std::string& path) {
  std::vector<std::string> names;
  for (const CLI::App* sub : ListedSubcommands(app))
    names.push_back(sub->get_name());
  std::vector<std::string> options;
  bool positional = false;
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_group().empty())
      continue;
    if (!option->nonpositional()) {
      positional = true;
      continue;
    }
    const std::vector<std::string> option_names = OptionNames(*option);
    options.insert(options.end(), option_names.begin(), option_names.end());
    if (!TakesValue(*option))
      continue;
    const std::vector<std::string> choices = OptionChoices(*option);
    std::vector<std::string> patterns;
    for (const std::string& name : option_names)
      patterns.push_back(Quoted(path + " " + name));
    values << "    " << Join(patterns, " | ") << ")\n";
    if (!choices.empty())
      values << "      COMPREPLY=($(compgen -W " << Quoted(Join(choices, " "))
             << " -- \"$cur\"))\n";
    else if (IsNumber(*option))
      values << "      COMPREPLY=()\n";
    else
      values << "      COMPREPLY=($(compgen -f -- \"$cur\"))\n";
    values << "      return ;;\n";
  }
  words << "    " << Quoted(path) << ")\n"
        << "      subcommands=" << Quoted(Join(names, " ")) << "\n"
        << "      options=" << Quoted(Join(options, " ")) << "\n"
        << "      files=" << (positional ? 1 : 0) << " ;;\n";
  for (const CLI::App* sub : ListedSubcommands(app))
    Level(words, values, *sub, path + " " + sub->get_name());
}

void SubcommandPaths(std::vector<std::string>& paths, const CLI::App& app,
                     const std::string& path) {
  for (const CLI::App* sub : ListedSubcommands(app)) {
    paths.push_back(Quoted(path + " " + sub->get_name()));
    SubcommandPaths(paths, *sub, path + " " + sub->get_name());
  }
}

}  // namespace

std::vector<std::string> OptionChoices(const CLI::Option& option) {
  // A transformer describes its map as "INT:value in {bgr->1,rgb->0} OR {1,0}", a member
  // check its set as "TEXT:{one,two}": the first braces hold what the user types, each
  // before its "->".
  const std::string type = option.get_type_name();
  const std::size_t open = type.find('{');
  const std::size_t close = open == std::string::npos ? open : type.find('}', open);
  if (close == std::string::npos)
    return {};
  std::vector<std::string> choices;
  std::istringstream items(type.substr(open + 1, close - open - 1));
  std::string item;
  while (std::getline(items, item, ','))
    if (const std::string key = item.substr(0, item.find("->")); !key.empty())
      choices.push_back(key);
  return choices;
}

std::string BashCompletion(const CLI::App& app) {
  const std::string name = app.get_name();
  std::ostringstream words, values;
  Level(words, values, app, "");
  std::vector<std::string> paths;
  SubcommandPaths(paths, app, "");
  std::ostringstream out;
  out << "# bash completion for " << name
      << ", written by the build from its command-line definitions.\n"
      << "_" << name << "() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
      << "  local path='' i subcommands options files\n"
      << "  # The subcommands typed so far, such as \" font charset\".\n"
      << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      << "    case \"$path ${COMP_WORDS[i]}\" in\n"
      << "      " << Join(paths, " | ") << ")\n"
      << "        path=\"$path ${COMP_WORDS[i]}\" ;;\n"
      << "    esac\n"
      << "  done\n"
      << "  # The value of the option before the cursor.\n"
      << "  case \"$path $prev\" in\n"
      << values.str() << "  esac\n"
      << "  case \"$path\" in\n"
      << words.str() << "  esac\n"
      << "  if [[ $cur == -* ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  COMPREPLY=($(compgen -W \"$subcommands\" -- \"$cur\"))\n"
      << "  if ((files)); then\n"
      << "    COMPREPLY+=($(compgen -f -- \"$cur\"))\n"
      << "  fi\n"
      << "}\n"
      << "complete -o filenames -F _" << name << ' ' << name << '\n';
  return out.str();
}

}  // namespace cli
