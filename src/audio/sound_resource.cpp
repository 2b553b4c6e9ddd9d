#include "audio/sound_resource.h"

#include "audio/wav_messages.h"
#include "platform/file_io.h"
#include "platform/output_name.h"

namespace audio {

std::vector<std::string> SoundListingLines(const ListingFields& fields) {
  const bool two_channels = fields.choice.channel == kTwoChannel;
  const bool eight_bits = fields.choice.bits == kEightBits;
  return {
      "{    //" + fields.wav_name,
      two_channels ? "2,   //Sound channel number" : "1,   //Sound channel number",
      eight_bits ? "8,   //8bits every sample" : "16,  //16bits every sample",
      std::to_string(fields.samples_per_sec / SpeedDivisor(fields.choice.speed)) +
          ",//Samples number per-second",
      std::to_string(fields.bin_size) + "//The bytes of Bin_File_Data_Size ",
      "};",
  };
}

platform::Message WriteSoundResource(const std::string& bin_path,
                                     std::span<const std::uint8_t> samples,
                                     const std::vector<std::string>& listing,
                                     platform::CodePage page, const std::string& wav_path) {
  const std::string listing_path = platform::AddressListPathFor(bin_path);
  if (auto refused = platform::RefuseOutputsOverInputs({bin_path, listing_path}, {wav_path});
      !refused)
    return refused.error();
  if (auto written = platform::WriteFile(bin_path, samples); !written)
    return platform::Because(platform::Error(kFileNotAccessible), bin_path, written.error().text);
  const auto text = platform::TextFileBytes(listing, page);
  if (auto written = platform::WriteFile(listing_path, text); !written) {
    return platform::Because(platform::Error(kFileNotAccessible), listing_path,
                             written.error().text);
  }
  return platform::Done(kOk);
}

}  // namespace audio
