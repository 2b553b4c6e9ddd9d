#pragma once
// A decode that runs out of memory fails like any other, with its decoder's prefix.

#include <new>
#include <string>

#include "platform/message.h"

namespace platform {

template <class Decode>
auto FailOnOutOfMemory(const char* prefix, Decode&& decode) -> decltype(decode()) {
  try {
    return decode();
  } catch (const std::bad_alloc&) {
    return Error(std::string(prefix) + "out of memory");
  }
}

}  // namespace platform
