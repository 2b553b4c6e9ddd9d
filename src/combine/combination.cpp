#include "combine/combination.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "combine/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"
#include "platform/paths.h"

namespace combine {
namespace {

constexpr std::uint8_t kFill = 0xFF;
constexpr std::uint8_t kMissingByte = 0x00;  // stands for bytes a shrunken file lost

std::string Hex8(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<std::uint32_t>(value));
  return text;
}

// Opening for appending creates a missing file but leaves an existing one intact, so an
// output that is also one of the slots is still read whole before it is replaced.
bool CanWrite(const std::string& path) {
  return static_cast<bool>(
      std::ofstream(platform::PathFromUtf8(path), std::ios::binary | std::ios::app));
}

std::string GrewWarning(const Slot& slot, std::size_t actual_size) {
  return "Warning: " + slot.path + " has grown to " + std::to_string(actual_size) +
         " bytes since it was picked; only its first " + std::to_string(slot.length) +
         " bytes were combined, " + std::to_string(actual_size - slot.length) + " left out";
}

}  // namespace

platform::Result<std::vector<Slot>> SlotsToCombine(const SlotTable& fields) {
  std::vector<Slot> slots;
  for (int index = 0; index < kSlotCount; ++index) {
    const auto start = StartOf(fields, index);
    if (!start)
      return start.error();
    const auto length = LengthOf(fields, index);
    if (!length)
      return length.error();
    slots.push_back({fields[index].name, *start, *length});
  }
  const auto unused = std::find_if(fields.begin(), fields.end(),
                                   [](const SlotFields& slot) { return !slot.InUse(); });
  slots.resize(static_cast<std::size_t>(unused - fields.begin()));
  for (std::size_t k = 0; k < slots.size(); ++k) {
    if (slots[k].length < 0)  // lengths come from file sizes; never read a negative count
      return platform::Error("Length of " + SlotCaption(static_cast<int>(k)) +
                             " is negative: " + std::to_string(slots[k].length));
    // The run stops with "Can't open" at an unreadable file; nothing behind it is placed.
    if (!ReadableFileSize(slots[k].path))
      break;
    const std::int64_t lowest = k == 0 ? 0 : std::int64_t{slots[k - 1].start} + slots[k - 1].length;
    const std::string start = std::to_string(slots[k].start);
    const std::string caption = SlotCaption(static_cast<int>(k));
    // Slot 1's start field is fixed at 0: nothing is ever written before it.
    if (k == 0 && slots[k].start != 0)
      return platform::Error(caption + " starts at " + start + "; it must start at 0");
    if (slots[k].start < lowest)
      return platform::Error(caption + " starts at " + start + ", before the end of " +
                             SlotCaption(static_cast<int>(k - 1)) + "; its lowest start is " +
                             std::to_string(lowest));
  }
  return slots;
}

std::string ListingLine(const Slot& slot) {
  return "{0x" + Hex8(slot.start) + ", 0x" + Hex8(slot.length) + "}, //" + slot.path;
}

CombineOutcome CombineFiles(const std::vector<Slot>& slots,
                            const std::optional<std::string>& chosen_name,
                            platform::CodePage page) {
  CombineOutcome outcome;
  const auto output = platform::OutputPathFor(chosen_name.value_or(kBinPattern));
  if (!output) {
    outcome.messages.push_back(output.error());
    return outcome;
  }
  // A cancelled dialog leaves the pattern, which is never created.
  if (!chosen_name || !CanWrite(*output)) {
    outcome.messages.push_back(platform::Error(kCantOpen + *output));
    return outcome;
  }
  outcome.output_created = true;

  std::vector<std::uint8_t> combined;
  std::int64_t end_of_previous = 0;
  for (const Slot& slot : slots) {
    auto bytes = ReadableFileSize(slot.path) ? platform::ReadFileBytes(slot.path) : std::nullopt;
    if (!bytes) {
      platform::WriteFileAtomically(*output, combined);
      outcome.messages.push_back(platform::Error(kCantOpen + slot.path));
      return outcome;
    }
    outcome.listing.push_back(ListingLine(slot));
    const auto recorded = static_cast<std::size_t>(slot.length);
    if (bytes->size() > recorded)
      outcome.warnings.push_back(GrewWarning(slot, bytes->size()));
    bytes->resize(recorded, kMissingByte);
    if (slot.start > end_of_previous)
      combined.insert(combined.end(), static_cast<std::size_t>(slot.start - end_of_previous),
                      kFill);
    combined.insert(combined.end(), bytes->begin(), bytes->end());
    end_of_previous = std::int64_t{slot.start} + slot.length;
  }
  if (!platform::WriteFileAtomically(*output, combined)) {
    outcome.messages.push_back(platform::Error(kCantOpen + *output));
    return outcome;
  }
  const std::string listing_path = platform::AddressListPathFor(*output);
  if (!platform::WriteFileAtomically(listing_path, platform::TextFileBytes(outcome.listing, page)))
    outcome.messages.push_back(platform::Warning(kFileNotAccessible));
  outcome.messages.push_back(platform::Done(kCombineOver));
  return outcome;
}

}  // namespace combine
