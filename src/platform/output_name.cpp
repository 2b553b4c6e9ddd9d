#include "platform/output_name.h"

namespace platform {

Result<std::string> OutputPathFor(const std::string& chosen_name, const std::string& extension) {
  if (chosen_name.empty())
    return Error(kErrorFileName);
  if (chosen_name.find(extension) == std::string::npos)
    return chosen_name + extension;
  return chosen_name;
}

std::string AddressListPathFor(const std::string& output_path) {
  return output_path.substr(0, output_path.find(".bin")) + "-Addr.txt";
}

}  // namespace platform
