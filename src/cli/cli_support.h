#pragma once
// What every `dravick` subcommand shares: exit statuses, printing a tool's messages,
// the decimal-option rule and the progress bar on standard error.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "picture/run_output.h"
#include "platform/message.h"
#include "platform/progress.h"

namespace cli {

enum ExitStatus { kOk = 0, kFailed = 1, kUsage = 2 };

struct Common {
  bool quiet = false;               // --quiet: no progress bar, no success text
  bool traditional_locale = false;  // --traditional-locale
};

// Errors and warnings on standard error, the success text on standard output (unless
// quiet). Returns the exit status the message stands for.
int Print(const platform::Message& message, const Common& common);

// Prints a notice such as "Start to convert, please wait..." on standard error.
void Notice(const std::string& text, const Common& common);

// Accepts only decimal integers ("0x10" and "1e3" are usage errors).
extern const CLI::Validator Decimal;

// A progress callback drawing a bar on standard error when it is a terminal and the
// run is not quiet; empty otherwise.
platform::Progress ProgressBar(const Common& common, std::string label);

// Prints a conversion run's messages; when the run stopped, also its failure line (the
// last log line, which no listing receives). Returns the exit status.
// The reason of the failure follows on a line of its own.
int PrintRun(const picture::RunReport& report, const Common& common);

// The pixel-walk options `picture` and `gif` share: --order rgb|bgr, --rotate 0|r90|l90,
// --reverse-x, --reverse-y, --nand, stored as the windows' indexes and check boxes.
struct WalkOptions {
  int colour_order_index = 0;
  int rotation_index = 0;
  bool mirror_x = false;
  bool mirror_y = false;
  bool nand = false;
};
void AddWalkOptions(CLI::App& command, WalkOptions& walk);

// Adds --quiet and --traditional-locale to a subcommand.
void AddCommonFlags(CLI::App& command, Common& common);

}  // namespace cli
