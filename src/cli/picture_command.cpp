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
  std::string format = "r5g6b5";
  std::string order = "rgb";
  std::string rotate = "0";
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
  const std::map<std::string, int> formats{{"r5g6b5", 0}, {"r8g8b8", 1}, {"bw", 2}};
  const std::map<std::string, int> rotations{{"0", 0}, {"r90", 1}, {"l90", 2}};
  picture::PictureSettings& settings = options.settings;
  settings.pixel_format_index = formats.at(options.format);
  settings.colour_order_index = options.order == "bgr" ? 1 : 0;
  settings.rotation_index = rotations.at(options.rotate);

  auto output = platform::OutputPathFor(options.output);
  if (!output)
    return Print(output.error(), options.common);
  const std::vector<std::string> entries = ListEntries(options.inputs);
  if (entries.empty())
    return Print(platform::Error(picture::kPleaseInputPicture), options.common);

  Notice(picture::kStartToConvert, options.common);
  const picture::RunReport report = picture::ConvertPictures(
      entries, *output, settings, platform::TextCodePage(options.common.traditional_locale),
      ProgressBar(options.common, "picture"));
  return PrintRun(report.messages, report.log, report.stopped, options.common);
}

}  // namespace

void AddPictureCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<PictureOptions>();
  CLI::App* command = app.add_subcommand(
      "picture", "Convert pictures into a picture resource file and its address list");
  command->add_option("--format", options->format, "Pixel format")
      ->check(CLI::IsMember({"r5g6b5", "r8g8b8", "bw"}));
  command->add_option("--order", options->order, "Colour order")
      ->check(CLI::IsMember({"rgb", "bgr"}));
  command->add_option("--rotate", options->rotate, "Rotation")
      ->check(CLI::IsMember({"0", "r90", "l90"}));
  command->add_flag("--reverse-x", options->settings.mirror_x, "Mirror each row");
  command->add_flag("--reverse-y", options->settings.mirror_y, "Mirror the rows");
  command->add_option("--alpha-limit", options->settings.alpha_limit_text, "PNG alpha limit")
      ->check(Decimal);
  command->add_flag("--nand", options->settings.nand, "Pad rows for NAND flash");
  command->add_flag("--argb-png", options->settings.argb_png, "Four-bit ARGB for PNG pictures");
  command->add_option("-o", options->output, "Resource file name")->required();
  command->add_option("INPUT", options->inputs, "Picture files or folders")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
