#pragma once
// The combiner's six slots as their fields hold them (name, start, length as text), and
// the two operations that edit them: picking a file and re-chaining the start addresses.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/message.h"

namespace combine {

inline constexpr int kSlotCount = 6;

struct SlotFields {
  std::string name;  // the picked path; a slot is in use when this is not empty
  std::string start = "0";
  std::string length = "0";

  [[nodiscard]] bool InUse() const { return !name.empty(); }
  friend bool operator==(const SlotFields&, const SlotFields&) = default;
};

using SlotTable = std::array<SlotFields, kSlotCount>;

// "File 1" ... "File 6" for slot index 0 ... 5.
std::string SlotCaption(int slot);

// A start or length field's number, or an error naming the field and its text.
platform::Result<std::int32_t> StartOf(const SlotTable& slots, int slot);
platform::Result<std::int32_t> LengthOf(const SlotTable& slots, int slot);

// Picks `chosen` (nothing or an empty name: the dialog was cancelled and its "*.bin" is
// taken) into the slot: the name field takes the name; an unreadable file stops with
// "The file might not be accessibl."; a slot after the first starts where its predecessor's
// fields say it ends ("Fail to Open the file" when they hold no numbers); the length is the
// file's size. Picking slot 1 empties slots 2 and 3.
platform::Result<platform::Ok> PickFile(SlotTable& slots, int slot,
                                        const std::optional<std::string>& chosen);

// After a key is released in a slot's start field: an unused slot gets start and length
// "0"; otherwise every following slot in use is moved right behind its predecessor.
platform::Result<platform::Ok> Rechain(SlotTable& slots, int slot);

// The size of a regular file that can be opened for reading.
std::optional<std::int64_t> ReadableFileSize(const std::string& path);

}  // namespace combine
