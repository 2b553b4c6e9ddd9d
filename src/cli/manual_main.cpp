// dravick-manual FOLDER: writes dravick.1, dravick-gui.1 and dravick.bash (the bash
// completion) into FOLDER from the command line's own definitions.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <span>
#include <string>

#include "cli/bash_completion.h"
#include "cli/build_version.h"
#include "cli/dravick_app.h"
#include "cli/listed_subcommands.h"
#include "cli/manual_page.h"
#include "platform/file_io.h"

namespace {

const char* const kDescription =
    "dravick runs every tool of the desktop program dravick-gui without windows, for "
    "scripts and build servers: it converts pictures, GIF animations, installed fonts, WAV "
    "sounds and a cursor into the raw binary resources that TFT display modules built on "
    "the Mrl controller read, makes the controller's boot image, combines bin files and "
    "builds the module's whole flash image from a project file.\n"
    "\n"
    "Each subcommand does what its window does with the same choices: the same bytes, file "
    "names, listing text and messages. -o NAME stands for the save dialog's name; \".bin\" "
    "is appended when NAME does not contain it, and companion listings are named by the "
    "tool's -Addr.txt rule.\n"
    "\n"
    "Errors and warnings go to standard error, the closing success text (\"Convert ok\", "
    "\"OK\", ...) to standard output. Long runs show a progress bar on standard error when "
    "it is a terminal; --quiet silences the bar and the success text.";

const char* const kClosing =
    ".SH \"EXIT STATUS\"\n"
    ".TP\n0\nThe operation completed (warnings the window lets pass keep 0).\n"
    ".TP\n1\nThe operation failed.\n"
    ".TP\n2\nA usage error: an unknown option or a bad option value.\n"
    ".SH ENVIRONMENT\n"
    ".TP\n.BR LC_ALL \", \" LC_CTYPE \", \" LANG\n"
    "Text written to files is in code page 936 (GBK), or 950 (BIG5) when the first of these "
    "that is set starts with zh_TW, as with \\-\\-traditional\\-locale.\n"
    ".TP\n.B SOURCE_DATE_EPOCH\n"
    "When set, the build time stamped into a flash image, so the image is repeatable.\n"
    ".SH \"SEE ALSO\"\n"
    ".BR dravick\\-gui (1)\n";

// The desktop program takes no options of its own; the toolkit's standard ones apply.
std::string GuiPage(const CLI::App& app) {
  std::string tools;
  for (const CLI::App* sub : cli::ListedSubcommands(app))
    tools += ".TP\n.B dravick " + cli::RoffText(sub->get_name()) + "\n" +
             cli::RoffText(sub->get_description()) + "\n";
  return std::string(".\\\" Written by the build; do not edit.\n") + ".TH DRAVICK\\-GUI 1 \"\" \"" +
         "Dravick Tool " + cli::kProjectVersion + "\" \"User Commands\"\n" +
         ".SH NAME\n"
         "dravick\\-gui \\- the Dravick Tool desktop program\n"
         ".SH SYNOPSIS\n"
         ".B dravick\\-gui\n"
         ".RI [ \"Qt options\" ]\n"
         ".SH DESCRIPTION\n"
         "The main window lists and previews pictures and converts them into picture "
         "resource files; its menu opens the tool windows: Bootloader (the boot image), "
         "Cursor, Font (character-set libraries and string fonts), BinFile (the bin file "
         "combiner), GIFTool, WAVTool and Dravick (the flash image builder). Closing the "
         "main window ends the program.\n"
         ".PP\n"
         "Each tool also runs without windows as a subcommand of\n"
         ".BR dravick (1):\n" +
         tools +
         ".SH OPTIONS\n"
         "The program has no options of its own. It takes the standard options of Qt "
         "programs, such as\n"
         ".B \\-platform\n"
         ".I name\n"
         "and\n"
         ".B \\-style\n"
         ".IR name .\n"
         ".SH \"SEE ALSO\"\n"
         ".BR dravick (1)\n";
}

bool Write(const std::string& path, const std::string& text) {
  const auto written = platform::WriteFile(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (!written)
    std::fprintf(stderr, "dravick-manual: %s: %s\n", path.c_str(), written.error().text.c_str());
  return written.ok();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dravick-manual FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  CLI::App app;
  int status = 0;
  cli::DefineDravick(app, status);
  const cli::ManualText text{std::string("Dravick Tool ") + cli::kProjectVersion, kDescription,
                             kClosing};
  const bool ok = Write(folder + "/dravick.1", cli::ManualPage(app, text)) &&
                  Write(folder + "/dravick-gui.1", GuiPage(app)) &&
                  Write(folder + "/dravick.bash", cli::BashCompletion(app));
  return ok ? 0 : 1;
}
