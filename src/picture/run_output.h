#pragma once
// The output side of a picture or GIF conversion run: the resource file the items go
// into, the log of listing lines, the offset of the next item, and the address list
// written at the end.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "picture/resource_output.h"
#include "platform/code_page.h"
#include "platform/message.h"

namespace picture {

// What happened in one step. Messages are the boxes the window shows, in order.
struct StepOutcome {
  std::vector<platform::Message> messages;
  bool stopped = false;   // the run ended with a failure: no address list, no "Convert ok"
  bool finished = false;  // the address list is written and "Convert ok" is the last message
  // Why the item named by the failure line failed ("a.png: PNG: CRC error"), when known.
  std::string reason;
};

// A whole run: the messages shown, in order, and the log it left.
struct RunReport {
  std::vector<platform::Message> messages;
  std::vector<std::string> log;
  bool stopped = false;
  std::string reason;  // of the failure, as in StepOutcome
  // The messages of the step that stopped the run begin here; they follow its failure line.
  std::size_t stop_messages_at = 0;

  // Adds a step's messages and the run's log so far; false when the step stopped the run.
  bool Take(const StepOutcome& step, const std::vector<std::string>& run_log);
};

// Refuses, before a run starts, a resource file or address list name that is one of the
// pictures or GIFs the run reads.
platform::Result<platform::Ok> RefuseRunOverInputs(const std::string& output_path,
                                                   const std::vector<std::string>& inputs);

class RunOutput {
 public:
  RunOutput(std::string output_path, platform::CodePage page)
      : store_(std::move(output_path)), page_(page) {}

  // True when an item of `size` bytes (-1 for a size beyond 32 bits) still has an offset
  // and size the module's signed 32-bit tables hold.
  [[nodiscard]] bool Fits(std::int64_t size) const;

  // Stores the item at NextAddress() and logs `line`. When it cannot be stored the run
  // stops with "The file might not be accessibl.": going on would log items never
  // stored in an address list that lies.
  bool Store(std::span<const std::uint8_t> bytes, std::string line, StepOutcome& outcome);

  void Log(std::string line) { log_.push_back(std::move(line)); }

  // Logs "Fail to convert " + name and stops the run. `reason` says why, when known.
  StepOutcome FailOn(const std::string& name, const std::string& reason = {});

  // Puts the resource file in place, writes the address list and says "Convert ok".
  StepOutcome Finish();

  [[nodiscard]] bool Stopped() const { return stopped_; }
  [[nodiscard]] const std::vector<std::string>& Lines() const { return log_; }
  [[nodiscard]] std::int64_t NextAddress() const { return next_address_; }
  [[nodiscard]] const std::string& Path() const { return store_.Path(); }

 private:
  // A stopped run keeps the items stored so far: the resource file is put in place after
  // the failure line, and an address list of an earlier run beside it, which would now
  // describe other bytes, is removed.
  void KeepStoredItems(StepOutcome& outcome);
  void RemoveEarlierAddressList(StepOutcome& outcome) const;

  ResourceStore store_;
  platform::CodePage page_;
  std::int64_t next_address_ = 0;
  bool stopped_ = false;
  std::vector<std::string> log_;
};

}  // namespace picture
