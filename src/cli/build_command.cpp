// `dravick build`: "Make Bin" of the builder window, the two save dialogs answered by
// --userinfo and -o.
#include <iostream>
#include <memory>

#include "builder/build_messages.h"
#include "builder/flash_image.h"
#include "builder/make_bin.h"
#include "builder/project_file.h"
#include "builder/resource_kinds.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "platform/file_io.h"
#include "platform/output_name.h"
#include "platform/read_limits.h"

namespace cli {

namespace {

struct BuildOptions {
  std::string project;
  std::string bins;
  bool nand = false;
  std::string userinfo;
  bool userinfo_given = false;
  std::string flash;
  std::vector<std::string> resources;
  Common common;
};

// "UserInfo" in the folder of the flash image, as the dialog proposes it there.
std::string DefaultUserInfoName(const std::string& flash) {
  const std::size_t separator = flash.rfind('/');
  return (separator == std::string::npos ? std::string() : flash.substr(0, separator + 1)) +
         "UserInfo";
}

int Run(const BuildOptions& options) {
  const auto commands = builder::ReadProjectFile(options.project);
  if (!commands)
    return Print(commands.error(), options.common);

  builder::ResourceSet resources;
  resources.folder = builder::WithTrailingSeparator(options.bins);
  resources.names =
      options.resources.empty() ? builder::ListBinFolder(resources.folder) : options.resources;
  resources.header_size = builder::HeaderSizeFor(options.nand);

  int status = kOk;
  auto build = builder::PrepareBuild(resources, *commands, builder::BuildTimeNow(),
                                     [&](const platform::Message& message) {
                                       status = std::max(status, Print(message, options.common));
                                     });
  if (!build)
    return Print(build.error(), options.common);

  auto userinfo = builder::UserInfoPathsFor(
      options.userinfo_given ? options.userinfo : DefaultUserInfoName(options.flash));
  if (!userinfo)
    return Print(userinfo.error(), options.common);
  auto flash = platform::OutputPathFor(options.flash);
  if (!flash)
    return Print(flash.error(), options.common);
  if (auto refused = builder::RefuseBuildOverInputs(*userinfo, *flash, *build, options.project);
      !refused)
    return Print(refused.error(), options.common);
  // The image's room on the disk is taken first: a build that cannot finish writes nothing.
  auto image = builder::StartFlashImage(*flash, *build);
  if (!image)
    return Print(image.error(), options.common);
  const platform::CodePage page = platform::TextCodePage(options.common.traditional_locale);
  if (auto written = builder::WriteUserInfo(*userinfo, *build, page); !written)
    return Print(written.error(), options.common);
  if (auto written = builder::WriteFlashImage(*image, *build); !written)
    return Print(written.error(), options.common);
  return std::max(status, Print(platform::Done(builder::kOk), options.common));
}

}  // namespace

void AddBuildCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<BuildOptions>();
  CLI::App* command = app.add_subcommand(
      "build", "Build the flash image, the UserInfo header copy and the build listing");
  command->add_option("--project", options->project, "Project file (.ini)")->required();
  command->add_option("--bins", options->bins, "Folder of the resource files")->required();
  command->add_flag("--nand", options->nand, "NandFlash Bin: a 0x20000-byte header");
  command->add_option("--userinfo", options->userinfo,
                      "Name of the UserInfo files (default: UserInfo beside FLASH)");
  command->add_option("-o", options->flash, "Flash image name")->required();
  command->add_option("RESOURCE", options->resources,
                      "Resource names in list order (default: the folder's .bin files)");
  AddCommonFlags(*command, options->common);
  command->callback([options, command, &status] {
    options->userinfo_given = command->count("--userinfo") > 0;
    status = Run(*options);
  });
}

}  // namespace cli
