#include "bootimage/boot_image_file.h"

#include "bootimage/messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace bootimage {

platform::Message SaveBootImage(const std::string& chosen_name,
                                const std::vector<std::uint8_t>& script) {
  const auto path = platform::OutputPathFor(chosen_name);
  if (!path)
    return path.error();
  if (!platform::WriteFileAtomically(*path, script))
    return platform::Error(kCantOpen + *path);
  return platform::Done(kOk);
}

}  // namespace bootimage
