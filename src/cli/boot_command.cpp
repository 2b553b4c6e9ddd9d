// `dravick boot`: the settings of the boot image window, "Creat" and its save dialog.
#include <array>
#include <iostream>
#include <memory>
#include <optional>

#include "bootimage/boot_image_file.h"
#include "bootimage/boot_script.h"
#include "bootimage/boot_settings.h"
#include "cli/cli_support.h"
#include "cli/commands.h"

namespace cli {

namespace {

using namespace bootimage;

struct BootOptions {
  BootForm form;  // unset options keep the window's defaults
  std::array<std::string, kChoiceListCount> items;
  std::string pclk_fall = "1";
  std::string hs_high = "0";
  std::string vs_high = "0";
  std::string de_low = "0";
  std::string de_mode = "0";
  std::string output;
  Common common;
};

// The memo's text with the terminal's line ends, closed by one.
std::string TerminalText(const std::string& memo_text) {
  std::string text;
  for (char c : memo_text) {
    if (c != '\r')
      text += c;
  }
  return text + '\n';
}

int Run(BootOptions& options) {
  for (int list = 0; list < kChoiceListCount; ++list) {
    if (!options.items[list].empty())
      options.form.item_indices[list] =
          ItemIndexOf(static_cast<ChoiceList>(list), options.items[list]);
  }
  options.form.pclk_fall = options.pclk_fall == "1";
  options.form.hs_high = options.hs_high == "1";
  options.form.vs_high = options.vs_high == "1";
  options.form.de_low = options.de_low == "1";
  options.form.de_mode = options.de_mode == "1";

  const auto settings = ReadBootSettings(options.form);
  if (!settings)
    return Print(settings.error(), options.common);
  const auto script = BuildBootScript(*settings);
  if (!script)
    return Print(script.error(), options.common);
  std::cout << TerminalText(BootScriptText(*script)) << std::flush;
  return Print(SaveBootImage(options.output, *script), options.common);
}

}  // namespace

void AddBootCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<BootOptions>();
  CLI::App* command = app.add_subcommand(
      "boot", "Make the 367-byte boot image from panel, PLL, PWM and SPI settings");
  for (int field = 0; field < kNumberFieldCount; ++field) {
    const NumberFieldInfo& info = InfoOf(static_cast<NumberField>(field));
    command
        ->add_option(
            std::string("--") + info.option, options->form.numbers[field],
            std::string(info.label) + " (default " + std::to_string(info.default_value) + ")")
        ->check(Decimal);
  }
  const std::pair<const char*, std::string*> flags[] = {
      {"--pclkfall", &options->pclk_fall}, {"--hshigh", &options->hs_high},
      {"--vshigh", &options->vs_high},     {"--delow", &options->de_low},
      {"--demode", &options->de_mode},
  };
  for (const auto& [name, value] : flags)
    command->add_option(name, *value, "0 or 1 (default " + *value + ")")
        ->check(CLI::IsMember({"0", "1"}));
  for (int list = 0; list < kChoiceListCount; ++list) {
    const ChoiceListInfo& info = InfoOf(static_cast<ChoiceList>(list));
    command
        ->add_option(std::string("--") + info.option, options->items[list],
                     "An item as the window lists it (default \"" + info.default_text + "\")")
        ->check(CLI::IsMember(info.items));
  }
  command->add_option("-o", options->output, "Boot image file name")->required();
  AddCommonFlags(*command, options->common);
  command->callback([options, &status] { status = Run(*options); });
}

}  // namespace cli
