#pragma once
// What every harness uses to state what must hold for any input. A broken promise aborts,
// so libFuzzer keeps the input and the replay test fails on it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "platform/message.h"

namespace fuzz {

[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: promise broken: %s\n", file, line, what);
  std::abort();
}

// An error is refused input: it must say what is wrong.
inline bool ClearError(const platform::Message& message) {
  return message.kind == platform::MessageKind::Error && !message.text.empty();
}

// Reads option bytes from the end of the input, so the leading bytes stay the file.
class Choices {
 public:
  explicit Choices(std::span<const std::uint8_t> data) : data_(data) {}
  int Next(int count) {
    if (data_.empty())
      return 0;
    const int value = data_.back() % count;
    data_ = data_.first(data_.size() - 1);
    return value;
  }

 private:
  std::span<const std::uint8_t> data_;
};

}  // namespace fuzz

#define FUZZ_REQUIRE(condition) \
  ((condition) ? void(0) : ::fuzz::Broken(#condition, __FILE__, __LINE__))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
