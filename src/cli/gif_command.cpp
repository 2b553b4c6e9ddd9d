// `dravick gif`: "All Convert" of the GIF window over the given files.
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "picture/gif_run.h"
#include "picture/messages.h"
#include "platform/output_name.h"

namespace cli {

namespace {

struct GifOptions {
  std::string format = "r5g6b5";
  std::string order = "rgb";
  std::string rotate = "0";
  picture::GifSettings settings;
  std::string output;
  std::vector<std::string> gifs;
  Common common;
};

int Run(GifOptions& options) {
  const std::map<std::string, int> rotations{{"0", 0}, {"r90", 1}, {"l90", 2}};
  picture::GifSettings& settings = options.settings;
  settings.pixel_format_index = options.format == "r8g8b8" ? 1 : 0;
  settings.colour_order_index = options.order == "bgr" ? 1 : 0;
  settings.rotation_index = rotations.at(options.rotate);

  auto output = platform::OutputPathFor(options.output);
  if (!output)
    return Print(output.error(), options.common);
  Notice(picture::kStartToConvert, options.common);

  // One bar for the whole run: each frame's own 0..100 would end a line per frame.
  const platform::Progress bar = ProgressBar(options.common, "gif");
  platform::Progress frames;
  if (bar) {
    frames = [&bar](int percent) { bar(std::min(percent, 99)); };
  }
  const picture::RunReport report =
      picture::ConvertGifs(options.gifs, *output, settings,
                           platform::TextCodePage(options.common.traditional_locale), frames);
  if (bar)
    bar(100);

  return PrintRun(report.messages, report.log, report.stopped, options.common);
}

}  // namespace

void AddGifCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<GifOptions>();
  CLI::App* command = app.add_subcommand(
      "gif", "Convert GIF animations into a GIF resource file and its address list");
  command->add_option("--format", options->format, "Pixel format")
      ->check(CLI::IsMember({"r5g6b5", "r8g8b8"}));
  command->add_option("--order", options->order, "Colour order")
      ->check(CLI::IsMember({"rgb", "bgr"}));
  command->add_option("--rotate", options->rotate, "Rotation")
      ->check(CLI::IsMember({"0", "r90", "l90"}));
  command->add_flag("--reverse-x", options->settings.mirror_x, "Mirror each row");
  command->add_flag("--reverse-y", options->settings.mirror_y, "Mirror the rows");
  command->add_flag("--nand", options->settings.nand, "Pad rows for NAND flash");
  command->add_option("-o", options->output, "Resource file name")->required();
  command->add_option("GIF", options->gifs, "GIF files, converted in this order")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
