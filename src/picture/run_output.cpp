#include "picture/run_output.h"

#include <limits>

#include "picture/messages.h"

namespace picture {

bool RunReport::Take(const StepOutcome& step, const std::vector<std::string>& run_log) {
  messages.insert(messages.end(), step.messages.begin(), step.messages.end());
  log = run_log;
  stopped = step.stopped;
  return !step.stopped;
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
    return false;
  }
  log_.push_back(std::move(line));
  next_address_ += static_cast<std::int64_t>(bytes.size());
  return true;
}

StepOutcome RunOutput::FailOn(const std::string& name) {
  log_.push_back(kFailToConvert + name);
  stopped_ = true;
  StepOutcome outcome;
  outcome.stopped = true;
  return outcome;
}

StepOutcome RunOutput::Finish() {
  StepOutcome outcome;
  auto written = WriteAddressList(store_.Path(), log_, page_);
  if (!written)
    outcome.messages.push_back(written.error());
  outcome.messages.push_back(platform::Done(kConvertOk));
  outcome.finished = true;
  return outcome;
}

}  // namespace picture
