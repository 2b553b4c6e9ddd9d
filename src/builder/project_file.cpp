#include "builder/project_file.h"

namespace builder {

// Placeholder until the project file work lands.
CommandList LoadProjectLines(std::span<const std::uint8_t>) {
  return {};
}
std::vector<std::uint8_t> SaveProjectLines(const CommandList&) {
  return {};
}

}  // namespace builder
