#pragma once
// The promises every picture decoder keeps, checked on a decoded (or refused) file: a
// sane size with samples that agree with it, and encodings whose byte counts agree with
// the sizes the address list would record.

#include <cstdint>
#include <span>

#include "platform/picture_decoders.h"

namespace fuzz {

void CheckDecodedPicture(const platform::Result<platform::DecodedPicture>& decoded,
                         std::span<const std::uint8_t> input);

}  // namespace fuzz
