#pragma once
// One function per subcommand adds it to the `dravick` application. The callback of a
// subcommand stores its exit status in `status`.

#include <CLI/CLI.hpp>

namespace cli {

void AddPictureCommand(CLI::App& app, int& status);
void AddGifCommand(CLI::App& app, int& status);
void AddFontCommand(CLI::App& app, int& status);
void AddCursorCommand(CLI::App& app, int& status);
void AddBootCommand(CLI::App& app, int& status);
void AddCombineCommand(CLI::App& app, int& status);
void AddWavCommand(CLI::App& app, int& status);
void AddBuildCommand(CLI::App& app, int& status);
void AddInspectCommand(CLI::App& app, int& status);
void AddExtractCommand(CLI::App& app, int& status);

}  // namespace cli
