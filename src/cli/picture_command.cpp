// `dravick picture`: "All Convert" of the main window over files and folders.
#include <filesystem>
#include <iostream>
#include <map>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "picture/conversion_run.h"
#include "picture/messages.h"
#include "picture/picture_folder.h"
#include "platform/output_name.h"
#include "platform/paths.h"

namespace cli {

namespace {

struct PictureOptions {
  int format = 0;
  WalkOptions walk;
  picture::PictureSettings settings;
  std::string output;
  std::vector<std::string> inputs;
  Common common;
};

// A folder argument is listed as "Input Picture" lists a folder; a file stands as given.
std::vector<std::string> ListEntries(const std::vector<std::string>& inputs) {
  std::vector<std::string> entries;
  for (const std::string& input : inputs) {
    std::error_code error;
    if (std::filesystem::is_directory(platform::PathFromUtf8(input), error)) {
      std::string folder = input;
      if (!folder.ends_with(platform::kSeparator))
        folder += platform::kSeparator;
      for (std::string& entry : picture::ScanPictureFolder(folder))
        entries.push_back(std::move(entry));
    } else {
      entries.push_back(input);
    }
  }
  return entries;
}

int Run(PictureOptions& options) {
  picture::PictureSettings& settings = options.settings;
  settings.pixel_format_index = options.format;
  settings.colour_order_index = options.walk.colour_order_index;
  settings.rotation_index = options.walk.rotation_index;
  settings.mirror_x = options.walk.mirror_x;
  settings.mirror_y = options.walk.mirror_y;
  settings.nand = options.walk.nand;

  auto output = platform::OutputPathFor(options.output);
  if (!output)
    return Print(output.error(), options.common);
  const std::vector<std::string> entries = ListEntries(options.inputs);
  if (entries.empty())
    return Print(platform::Error(picture::kPleaseInputPicture), options.common);
  if (auto refused = picture::RefuseRunOverInputs(*output, entries); !refused)
    return Print(refused.error(), options.common);

  Notice(picture::kStartToConvert, options.common);
  const picture::RunReport report = picture::ConvertPictures(
      entries, *output, settings, platform::TextCodePage(options.common.traditional_locale),
      ProgressBar(options.common, "picture"));
  return PrintRun(report, options.common);
}

}  // namespace

void AddPictureCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<PictureOptions>();
  CLI::App* command = app.add_subcommand(
      "picture", "Convert pictures into a picture resource file and its address list");
  command->add_option("--format", options->format, "Pixel format: r5g6b5, r8g8b8 or bw")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, int>{{"r5g6b5", 0}, {"r8g8b8", 1}, {"bw", 2}}));
  AddWalkOptions(*command, options->walk);
  command->add_option("--alpha-limit", options->settings.alpha_limit_text, "PNG alpha limit")
      ->check(Decimal);
  command->add_flag("--argb-png", options->settings.argb_png, "Four-bit ARGB for PNG pictures");
  command->add_option("-o", options->output, "Resource file name")->required();
  command->add_option("INPUT", options->inputs, "Picture files or folders")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
