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
  int format = 0;
  WalkOptions walk;
  std::string output;
  std::vector<std::string> gifs;
  Common common;
};

int Run(GifOptions& options) {
  picture::GifSettings settings;
  settings.pixel_format_index = options.format;
  settings.colour_order_index = options.walk.colour_order_index;
  settings.rotation_index = options.walk.rotation_index;
  settings.mirror_x = options.walk.mirror_x;
  settings.mirror_y = options.walk.mirror_y;
  settings.nand = options.walk.nand;

  auto output = platform::OutputPathFor(options.output);
  if (!output)
    return Print(output.error(), options.common);
  if (auto refused = picture::RefuseRunOverInputs(*output, options.gifs); !refused)
    return Print(refused.error(), options.common);
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

  return PrintRun(report, options.common);
}

}  // namespace

void AddGifCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<GifOptions>();
  CLI::App* command = app.add_subcommand(
      "gif", "Convert GIF animations into a GIF resource file and its address list");
  command->add_option("--format", options->format, "Pixel format: r5g6b5 or r8g8b8")
      ->transform(
          CLI::CheckedTransformer(std::map<std::string, int>{{"r5g6b5", 0}, {"r8g8b8", 1}}));
  AddWalkOptions(*command, options->walk);
  command->add_option("-o", options->output, "Resource file name")->required();
  command->add_option("GIF", options->gifs, "GIF files, converted in this order")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
