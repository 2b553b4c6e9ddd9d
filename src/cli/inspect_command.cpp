// `dravick inspect`: what the header of a flash image or a UserInfo copy describes.
#include <iostream>
#include <memory>

#include "builder/builder_types.h"
#include "builder/image_inspect.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "platform/file_io.h"

namespace cli {

namespace {

int Run(const std::string& path) {
  // Only the header is read: the rest of the image matters only by its size.
  auto image = platform::FileReader::Open(path);
  auto header = image ? image->Read(0, builder::kNandHeaderSize) : image.error();
  if (!header) {
    std::cerr << "Can't open " << path << '\n' << path << ": " << header.error().text << '\n';
    return kFailed;
  }
  auto report = builder::InspectImage(*header, image->Size());
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
