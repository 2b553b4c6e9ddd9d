#include "builder/user_commands.h"

namespace builder {

// Placeholder until the command encoder lands.
platform::Result<platform::Ok> EncodeUserCommands(const CommandList&, const RangeTable&,
                                                  const RangeTable&, HeaderBuffer&) {
  return platform::Ok{};
}

}  // namespace builder
