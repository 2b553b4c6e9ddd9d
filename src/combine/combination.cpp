#include "combine/combination.h"

#include <algorithm>
#include <cstdio>

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

namespace {

// Bytes are copied and filled in pieces of this size, so no slot is held whole.
constexpr std::uint64_t kPiece = 4 * platform::kMiB;

// A file may be combined onto itself only as File 1: the new file then begins with all
// of its old bytes, so nothing is lost. Anywhere else its old content would be gone.
platform::Result<platform::Ok> RefuseOutputOverSlots(const std::vector<Slot>& slots,
                                                     const std::string& output,
                                                     const std::string& listing) {
  std::vector<std::string> inputs;
  for (std::size_t k = 0; k < slots.size(); ++k) {
    if (k > 0 || !platform::SameFile(slots[k].path, output))
      inputs.push_back(slots[k].path);
  }
  if (auto refused = platform::RefuseOutputsOverInputs({output}, inputs); !refused)
    return refused;
  std::vector<std::string> all_inputs;
  for (const Slot& slot : slots)
    all_inputs.push_back(slot.path);
  return platform::RefuseOutputsOverInputs({listing}, all_inputs);
}

platform::Result<platform::Ok> WriteRun(platform::OutputFile& out, std::uint64_t count,
                                        std::uint8_t value) {
  const std::vector<std::uint8_t> piece(static_cast<std::size_t>(std::min(count, kPiece)), value);
  for (std::uint64_t left = count; left > 0;) {
    const std::uint64_t now = std::min(left, kPiece);
    if (auto written = out.Write(std::span(piece).first(static_cast<std::size_t>(now))); !written)
      return written;
    left -= now;
  }
  return platform::Ok{};
}

// The slot's recorded length of bytes: a file that shrank is made up with 0x00.
platform::Result<platform::Ok> CopySlot(platform::OutputFile& out, const platform::FileReader& file,
                                        std::uint64_t length) {
  std::uint64_t done = 0;
  while (done < length) {
    auto piece = file.Read(done, std::min(kPiece, length - done));
    if (!piece)
      return piece.error();
    if (piece->empty())
      break;
    if (auto written = out.Write(*piece); !written)
      return written;
    done += piece->size();
  }
  return WriteRun(out, length - done, kMissingByte);
}

}  // namespace

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
  if (!chosen_name) {
    outcome.messages.push_back(platform::Error(kCantOpen + *output));
    return outcome;
  }
  const std::string listing_path = platform::AddressListPathFor(*output);
  if (auto refused = RefuseOutputOverSlots(slots, *output, listing_path); !refused) {
    outcome.messages.push_back(refused.error());
    return outcome;
  }
  // Every slot is opened before anything is written. The run stops at the first file
  // that cannot be read; the output keeps the slots before it.
  std::vector<platform::FileReader> files;
  std::optional<platform::Message> unreadable;
  for (const Slot& slot : slots) {
    auto file = slot.path == kBinPattern ? platform::Error("no file was picked")
                                         : platform::FileReader::Open(slot.path);
    if (!file) {
      unreadable =
          platform::Because(platform::Error(kCantOpen + slot.path), slot.path, file.error().text);
      break;
    }
    files.push_back(std::move(*file));
  }
  auto out = platform::OutputFile::Create(*output);
  if (!out) {
    outcome.messages.push_back(
        platform::Because(platform::Error(kCantOpen + *output), *output, out.error().text));
    return outcome;
  }
  const std::uint64_t total = files.empty() ? 0
                                            : std::uint64_t(slots[files.size() - 1].start) +
                                                  std::uint64_t(slots[files.size() - 1].length);
  auto fail = [&](const platform::Message& why) {
    out->Discard();
    outcome.messages.push_back(
        platform::Because(platform::Error(kCantOpen + *output), *output, why.text));
    return outcome;
  };
  if (auto reserved = out->Reserve(total); !reserved)
    return fail(reserved.error());
  outcome.output_created = true;

  std::uint64_t end_of_previous = 0;
  for (std::size_t k = 0; k < files.size(); ++k) {
    const Slot& slot = slots[k];
    outcome.listing.push_back(ListingLine(slot));
    const auto recorded = static_cast<std::uint64_t>(slot.length);
    if (files[k].Size() > recorded)
      outcome.warnings.push_back(GrewWarning(slot, static_cast<std::size_t>(files[k].Size())));
    const auto start = static_cast<std::uint64_t>(slot.start);
    if (start > end_of_previous) {
      if (auto filled = WriteRun(*out, start - end_of_previous, kFill); !filled)
        return fail(filled.error());
    }
    if (auto copied = CopySlot(*out, files[k], recorded); !copied)
      return fail(copied.error());
    end_of_previous = start + recorded;
  }
  if (auto committed = out->Commit(); !committed)
    return fail(committed.error());
  if (unreadable) {
    outcome.messages.push_back(*unreadable);
    return outcome;
  }
  if (!platform::WriteFile(listing_path, platform::TextFileBytes(outcome.listing, page)))
    outcome.messages.push_back(platform::Warning(kFileNotAccessible));
  outcome.messages.push_back(platform::Done(kCombineOver));
  return outcome;
}

}  // namespace combine
