#pragma once
// The sound resource file and its six-line listing, which records the sample format
// for the engineer since the file itself has no header.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "audio/pcm_output.h"
#include "platform/code_page.h"
#include "platform/message.h"

namespace audio {

struct ListingFields {
  std::string wav_name;  // the text of the file name field, as shown
  OutputChoice choice;
  std::uint32_t samples_per_sec = 0;
  std::uint64_t bin_size = 0;  // B
};

// The listing's six lines (without line ends).
std::vector<std::string> SoundListingLines(const ListingFields& fields);

// Writes the samples to `bin_path` and the listing beside it (the "-Addr.txt" rule), both
// created or replaced. "OK", or "The file might not be accessibl." when either cannot be
// written (a bin file written before the failing listing stays). Neither may be the WAV
// file `wav_path` that the samples came from.
platform::Message WriteSoundResource(const std::string& bin_path,
                                     std::span<const std::uint8_t> samples,
                                     const std::vector<std::string>& listing,
                                     platform::CodePage page, const std::string& wav_path = {});

}  // namespace audio
