// `dravick cursor`: a picture or a hex listing through the cursor window's "Export".
#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cursor/cursor_file.h"
#include "cursor/cursor_grid.h"
#include "cursor/cursor_picture.h"
#include "cursor/preview_png.h"
#include "picture/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"
#include "platform/read_limits.h"

namespace cli {

namespace {

struct CursorOptions {
  std::string image;
  std::string hex;
  std::string output;
  std::string png;
  Common common;
};

platform::Result<cursor::CursorImage> ReadCursor(const CursorOptions& options) {
  if (!options.image.empty())
    return cursor::LoadCursorPicture(options.image);
  const auto text = platform::ReadFile(options.hex, platform::kTextFileLimit);
  if (!text)
    return platform::Because(platform::Error(picture::kFailToOpen), options.hex, text.error().text);
  const std::string_view chars(reinterpret_cast<const char*>(text->data()), text->size());
  return cursor::CursorFromBytes(cursor::ImportHexListing(cursor::TextLines(chars)));
}

int Run(const CursorOptions& options) {
  const auto image = ReadCursor(options);
  if (!image)
    return Print(image.error(), options.common);
  const cursor::CursorBytes bytes = cursor::CursorFileBytes(*image);
  for (const std::string& line : cursor::CursorListingLines(bytes))
    std::cout << line << '\n';
  // Neither output may replace the file the cursor was read from.
  std::vector<std::string> outputs{options.png};
  if (const auto output = platform::OutputPathFor(options.output))
    outputs.push_back(*output);
  if (auto refused = platform::RefuseOutputsOverInputs(
          outputs, {options.image.empty() ? options.hex : options.image});
      !refused)
    return Print(refused.error(), options.common);
  if (!options.png.empty()) {
    const auto png = cursor::EncodePreviewPng(cursor::GridBitmap(*image));
    if (auto written = platform::WriteFile(options.png, png); !written)
      return Print(platform::Because(platform::Error("Can't open " + options.png), options.png,
                                     written.error().text),
                   options.common);
  }
  return Print(cursor::SaveCursorFile(options.output, bytes), options.common);
}

}  // namespace

void AddCursorCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<CursorOptions>();
  CLI::App* command = app.add_subcommand("cursor", "Export a 32 x 32 cursor as a cursor file");
  CLI::Option* image =
      command->add_option("--image", options->image, "32 x 32 picture in the four code colours");
  CLI::Option* hex = command->add_option("--hex", options->hex, "Hex listing to import");
  image->excludes(hex);
  command->add_option("-o", options->output, "Cursor file name")->required();
  command->add_option("--png", options->png, "Write the zoomed grid as a PNG");
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] {
    if (options->image.empty() == options->hex.empty()) {
      std::cerr << "dravick cursor: give --image or --hex\n";
      status = kUsage;
      return;
    }
    status = Run(*options);
  });
}

}  // namespace cli
