#include "picture/run_output.h"

#include <limits>

#include <unistd.h>

#include "picture/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace picture {

bool RunReport::Take(const StepOutcome& step, const std::vector<std::string>& run_log) {
  stop_messages_at = messages.size();
  messages.insert(messages.end(), step.messages.begin(), step.messages.end());
  log = run_log;
  stopped = step.stopped;
  if (!step.reason.empty())
    reason = step.reason;
  return !step.stopped;
}

platform::Result<platform::Ok> RefuseRunOverInputs(const std::string& output_path,
                                                   const std::vector<std::string>& inputs) {
  return platform::RefuseOutputsOverInputs(
      {output_path, platform::AddressListPathFor(output_path)}, inputs);
}

bool RunOutput::Fits(std::int64_t size) const {
  return size >= 0 && next_address_ + size <= std::numeric_limits<std::int32_t>::max();
}

bool RunOutput::Store(std::span<const std::uint8_t> bytes, std::string line, StepOutcome& outcome) {
  auto stored = store_.Store(bytes);
  if (!stored) {
    outcome.messages.push_back(stored.error());
    outcome.stopped = true;
    stopped_ = true;
    KeepStoredItems(outcome);
    return false;
  }
  log_.push_back(std::move(line));
  next_address_ += static_cast<std::int64_t>(bytes.size());
  return true;
}

StepOutcome RunOutput::FailOn(const std::string& name, const std::string& reason) {
  log_.push_back(kFailToConvert + name);
  stopped_ = true;
  StepOutcome outcome;
  outcome.stopped = true;
  outcome.reason = reason;
  KeepStoredItems(outcome);
  return outcome;
}

void RunOutput::KeepStoredItems(StepOutcome& outcome) {
  if (!store_.HasStored())
    return;  // the earlier resource file and its list, if any, still belong together
  if (auto kept = store_.Keep(); !kept) {
    outcome.messages.push_back(kept.error());
    return;
  }
  RemoveEarlierAddressList(outcome);
}

void RunOutput::RemoveEarlierAddressList(StepOutcome& outcome) const {
  const std::string list = platform::AddressListPathFor(store_.Path());
  if (platform::FileExists(list) && ::unlink(list.c_str()) == 0)
    outcome.messages.push_back(platform::Warning(kEarlierListRemoved + list));
}

StepOutcome RunOutput::Finish() {
  StepOutcome outcome;
  if (auto kept = store_.Keep(); !kept) {
    outcome.messages.push_back(kept.error());
    outcome.stopped = true;
    stopped_ = true;
    return outcome;
  }
  auto written = WriteAddressList(store_.Path(), log_, page_);
  if (!written) {
    outcome.messages.push_back(written.error());
    RemoveEarlierAddressList(outcome);
  }
  outcome.messages.push_back(platform::Done(kConvertOk));
  outcome.finished = true;
  return outcome;
}

}  // namespace picture
