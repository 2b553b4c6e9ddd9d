// `dravick extract`: a flash image or one resource file written out as pictures, glyph
// sheets, cursors, sounds and a contents listing, as the module will read them.
#include <charconv>
#include <iostream>
#include <memory>
#include <regex>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "viewer/extract.h"
#include "viewer/image_contents.h"

namespace cli {

namespace {

struct ExtractOptions {
  std::string input;
  std::string folder;
  std::string order = "rgb";
  bool argb = false;
  bool nand = false;
  bool nor = false;
  std::string cell;
  std::uint32_t rate = 8000;
  int bits = 8;
  int channels = 1;
  bool signed_8 = false;
  Common common;
};

viewer::ReadOptions ReadOptionsOf(const ExtractOptions& options) {
  viewer::ReadOptions read;
  read.colour_order_index = options.order == "bgr" ? 1 : 0;
  read.argb = options.argb;
  if (options.nand)
    read.nand = true;
  if (options.nor)
    read.nand = false;
  // The option's check has let through only "WxH" of at most four digits each.
  const std::size_t x = options.cell.find('x');
  if (x != std::string::npos) {
    const char* text = options.cell.data();
    std::from_chars(text, text + x, read.cell_width);
    std::from_chars(text + x + 1, text + options.cell.size(), read.cell_height);
  }
  read.rate = options.rate;
  read.bits = options.bits;
  read.channels = options.channels;
  read.signed_8 = options.signed_8;
  return read;
}

int Run(const ExtractOptions& options) {
  const auto contents = viewer::ReadImageContents(options.input, ReadOptionsOf(options));
  if (!contents)
    return Print(contents.error(), options.common);
  const viewer::ExtractOutcome outcome =
      viewer::ExtractAll(*contents, options.folder, ProgressBar(options.common, "extract"));
  for (const std::string& error : outcome.errors)
    std::cerr << error << '\n';
  if (!outcome.errors.empty())
    return kFailed;
  return Print(platform::Done("OK"), options.common);
}

}  // namespace

void AddExtractCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ExtractOptions>();
  CLI::App* command = app.add_subcommand(
      "extract",
      "Write the pictures, fonts, sounds and cursors of a flash image or resource "
      "file as PNG and WAV files, as the module will show them");
  command->add_option("INPUT", options->input, "Flash image, or one resource file")->required();
  command->add_option("-d", options->folder, "Folder to write into (created when missing)")
      ->required();
  command->add_option("--order", options->order, "Colour order the pictures were stored in")
      ->check(CLI::IsMember({"rgb", "bgr"}));
  command->add_flag("--argb", options->argb, "Two-byte pictures are four-bit ARGB (written RGBA)");
  CLI::Option* nand = command->add_flag("--nand", options->nand, "Picture rows carry NAND padding");
  CLI::Option* nor = command->add_flag("--nor", options->nor, "Picture rows carry no padding");
  nand->excludes(nor);
  command->add_option("--cell", options->cell, "Glyph cell of a character-set font, WxH")
      ->check(CLI::Validator(
          [](const std::string& text) {
            return std::regex_match(text, std::regex("[0-9]{1,4}x[0-9]{1,4}"))
                       ? std::string()
                       : std::string("expected WxH, such as 16x16");
          },
          "WxH"));
  command->add_option("--rate", options->rate, "Samples per second of sounds without listing")
      ->check(Decimal)
      ->check(CLI::Range(1u, 0xFFFFFFFFu));
  command->add_option("--bits", options->bits, "Bits per sample of sounds without listing")
      ->check(CLI::IsMember({8, 16}));
  command->add_option("--channels", options->channels, "Channels of sounds without listing")
      ->check(CLI::IsMember({1, 2}));
  command->add_flag("--signed-8", options->signed_8,
                    "Add 0x80 to 8-bit samples (taken from 16-bit sources, so signed)");
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
