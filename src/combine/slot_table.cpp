#include "combine/slot_table.h"

#include <filesystem>
#include <fstream>

#include "combine/messages.h"
#include "platform/decimal_field.h"
#include "platform/paths.h"

namespace combine {

std::string SlotCaption(int slot) {
  return "File " + std::to_string(slot + 1);
}

platform::Result<std::int32_t> StartOf(const SlotTable& slots, int slot) {
  return platform::ParseDecimalField(slots[slot].start, "Start Address of " + SlotCaption(slot));
}

platform::Result<std::int32_t> LengthOf(const SlotTable& slots, int slot) {
  return platform::ParseDecimalField(slots[slot].length, "Length of " + SlotCaption(slot));
}

// Where the slot's predecessor ends by its fields.
static platform::Result<std::int64_t> EndOfPrevious(const SlotTable& slots, int slot) {
  const auto start = StartOf(slots, slot - 1);
  if (!start)
    return start.error();
  const auto length = LengthOf(slots, slot - 1);
  if (!length)
    return length.error();
  return std::int64_t{*start} + *length;
}

std::optional<std::int64_t> ReadableFileSize(const std::string& path) {
  // The pattern a cancelled dialog leaves is never a file, even where "*" may be in a name.
  if (path == kBinPattern)
    return std::nullopt;
  const std::filesystem::path file = platform::PathFromUtf8(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return std::nullopt;
  if (!std::ifstream(file, std::ios::binary))
    return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error)
    return std::nullopt;
  return static_cast<std::int64_t>(size);
}

platform::Result<platform::Ok> PickFile(SlotTable& slots, int slot,
                                        const std::optional<std::string>& chosen) {
  SlotFields& fields = slots[slot];
  fields.name = chosen && !chosen->empty() ? *chosen : kBinPattern;
  const auto size = ReadableFileSize(fields.name);
  if (!size)
    return platform::Error(kFileNotAccessible);
  if (slot > 0) {
    const auto end = EndOfPrevious(slots, slot);
    if (!end)
      return platform::Error(kFailToOpen);
    fields.start = std::to_string(*end);
  }
  fields.length = std::to_string(*size);
  if (slot == 0)
    slots[1] = slots[2] = SlotFields{};
  return platform::Ok{};
}

platform::Result<platform::Ok> Rechain(SlotTable& slots, int slot) {
  if (!slots[slot].InUse()) {
    slots[slot].start = "0";
    slots[slot].length = "0";
    return platform::Ok{};
  }
  for (int next = slot + 1; next < kSlotCount && slots[next].InUse(); ++next) {
    const auto end = EndOfPrevious(slots, next);
    if (!end)
      return end.error();
    slots[next].start = std::to_string(*end);
  }
  return platform::Ok{};
}

}  // namespace combine
