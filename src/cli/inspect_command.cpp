// `dravick inspect`: what the header of a flash image or a UserInfo copy describes.
#include <iostream>
#include <memory>

#include "builder/image_inspect.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "platform/file_io.h"

namespace cli {

namespace {

int Run(const std::string& path) {
  const std::optional<platform::Bytes> image = platform::ReadFileBytes(path);
  if (!image) {
    std::cerr << "Can't open " << path << '\n';
    return kFailed;
  }
  auto report = builder::InspectImage(*image);
  if (!report) {
    std::cerr << path << ": " << report.error().text << '\n';
    return kFailed;
  }
  for (const std::string& line : report->lines)
    std::cout << line << '\n';
  for (const std::string& problem : report->problems)
    std::cerr << problem << '\n';
  return report->problems.empty() ? kOk : kFailed;
}

}  // namespace

void AddInspectCommand(CLI::App& app, int& status) {
  auto path = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand(
      "inspect", "Show the module info, build time, commands and tables of a flash image");
  command->add_option("FLASH", *path, "Flash image or UserInfo header")->required();
  command->callback([path, &status] { status = Run(*path); });
}

}  // namespace cli
