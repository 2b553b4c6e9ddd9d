#pragma once
// "File Combine": the slots in use laid out at their start addresses in one file, the
// gaps filled with 0xFF, and a listing of where each file went.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "combine/slot_table.h"
#include "platform/code_page.h"
#include "platform/message.h"

namespace combine {

struct Slot {
  std::string path;
  std::int32_t start = 0;
  std::int32_t length = 0;  // the file's size when it was picked
};

// Reads all twelve numbers, then takes slots 1, 2, ... up to the first one not in use.
// A field that holds no number stops with a message naming it. A slot starting before its
// predecessor ends is refused, naming the slot, its start and its lowest start: the
// module would otherwise read it, and every later file, at the wrong address. Slots from
// the first unreadable file on are not checked: the run stops there with "Can't open".
platform::Result<std::vector<Slot>> SlotsToCombine(const SlotTable& slots);

// "{0x00001000, 0x0000012C}, //" + path
std::string ListingLine(const Slot& slot);

struct CombineOutcome {
  bool output_created = false;              // the memo is emptied and receives the listing
  std::vector<std::string> listing;         // lines of the slots combined so far
  std::vector<std::string> warnings;        // a file that grew after it was picked
  std::vector<platform::Message> messages;  // in the order the window shows them
};

// Writes the combined file under the chosen name (nothing: the save dialog was cancelled
// and "Can't open *.bin" follows) and its "-Addr.txt" listing in the text code page. An
// existing file is replaced. A slot's file that cannot be read stops the run: the output
// keeps the slots before it and no listing file is written.
CombineOutcome CombineFiles(const std::vector<Slot>& slots,
                            const std::optional<std::string>& chosen_name, platform::CodePage page);

}  // namespace combine
