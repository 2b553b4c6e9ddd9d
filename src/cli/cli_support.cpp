#include "cli/cli_support.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>

#include <unistd.h>

#include "picture/messages.h"

namespace cli {

int Print(const platform::Message& message, const Common& common) {
  switch (message.kind) {
    case platform::MessageKind::Error:
    case platform::MessageKind::Warning:
      std::cerr << message.text << '\n';
      if (!message.reason.empty())
        std::cerr << message.reason << '\n';
      return message.kind == platform::MessageKind::Error ? kFailed : kOk;
    case platform::MessageKind::Done:
      if (!common.quiet)
        std::cout << message.text << '\n';
      return kOk;
  }
  return kOk;
}

void Notice(const std::string& text, const Common&) {
  std::cerr << text << '\n';
}

const CLI::Validator Decimal(
    [](std::string& value) -> std::string {
      // An optional sign, then one or more digits: "0x10" and "1e3" are not decimal.
      const std::size_t digits = value.starts_with('-') || value.starts_with('+') ? 1 : 0;
      const bool decimal =
          value.size() > digits && std::all_of(value.begin() + long(digits), value.end(),
                                               [](char c) { return c >= '0' && c <= '9'; });
      return decimal ? std::string() : "not a decimal integer: " + value;
    },
    "DECIMAL");

platform::Progress ProgressBar(const Common& common, std::string label) {
  if (common.quiet || ::isatty(STDERR_FILENO) == 0)
    return {};
  auto last = std::make_shared<int>(-1);
  return [label = std::move(label), last](int percent) {
    if (percent == *last)
      return;
    *last = percent;
    const int filled = percent * 30 / 100;
    std::fprintf(stderr, "\r%s [%-30s] %3d%%", label.c_str(), std::string(filled, '#').c_str(),
                 percent);
    if (percent >= 100)
      std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

int PrintRun(const picture::RunReport& report, const Common& common) {
  int status = kOk;
  const std::size_t before_stop = report.stopped ? report.stop_messages_at : report.messages.size();
  for (std::size_t i = 0; i < before_stop; ++i)
    status = std::max(status, Print(report.messages[i], common));
  if (!report.stopped)
    return status;
  const std::vector<std::string>& log = report.log;
  if (!log.empty() && log.back().starts_with(picture::kFailToConvert))
    std::cerr << log.back() << '\n';
  if (!report.reason.empty())
    std::cerr << report.reason << '\n';
  for (std::size_t i = before_stop; i < report.messages.size(); ++i)
    Print(report.messages[i], common);
  return kFailed;
}

void AddWalkOptions(CLI::App& command, WalkOptions& walk) {
  command.add_option("--order", walk.colour_order_index, "Colour order: rgb or bgr")
      ->transform(CLI::CheckedTransformer(std::map<std::string, int>{{"rgb", 0}, {"bgr", 1}}));
  command.add_option("--rotate", walk.rotation_index, "Rotation: 0, r90 or l90")
      ->transform(
          CLI::CheckedTransformer(std::map<std::string, int>{{"0", 0}, {"r90", 1}, {"l90", 2}}));
  command.add_flag("--reverse-x", walk.mirror_x, "Mirror each row");
  command.add_flag("--reverse-y", walk.mirror_y, "Mirror the rows");
  command.add_flag("--nand", walk.nand, "Pad rows for NAND flash");
}

void AddCommonFlags(CLI::App& command, Common& common) {
  command.add_flag("--quiet", common.quiet, "No progress bar and no success text");
  command.add_flag("--traditional-locale", common.traditional_locale,
                   "Write text in code page 950 (BIG5)");
}

}  // namespace cli
