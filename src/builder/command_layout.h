#pragma once
// What the builder knows of each user command opcode: the width of every argument,
// whether the record starts with its own length, and the smallest record kept.

#include <cstdint>
#include <optional>

namespace builder {

// The special forms of two opcodes: 88h with "GIF" after its keyword, 90h with "PT".
enum class CommandForm { Plain, Gif, PictureSet };

struct CommandLayout {
  bool length_byte = false;  // the record starts with its total length
  std::size_t minimum = 1;   // smaller records, length byte included, are dropped
};

// The layout of an opcode (0x80-0xFF), or nothing for opcodes without an encoding.
std::optional<CommandLayout> LayoutOf(int opcode);

// Width in bytes (1, 2 or 3) of argument `index` (0 for the first) of an opcode.
int ArgumentWidth(int opcode, CommandForm form, int index);

}  // namespace builder
