#include "platform/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace platform {

namespace {

// A slot is free, being filled, or holding a path the handler may remove. The handler
// only reads slots marked ready, so it never sees a half-copied path.
enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX] = {};
};

constexpr int kSlots = 64;
std::array<Slot, kSlots> slots;

extern "C" void RemoveTemporariesAndExit(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.state.load() == kReady)
      ::unlink(slot.path);  // async-signal-safe
  }
  ::_exit(128 + signal_number);
}

}  // namespace

void InstallInterruptCleanup() {
  struct sigaction action {};
  action.sa_handler = RemoveTemporariesAndExit;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal_number, &action, nullptr);
  // Past a file size limit a write then fails like a full disk, and is answered the same
  // way, instead of killing the program with its temporary file in place.
  std::signal(SIGXFSZ, SIG_IGN);
}

int RegisterTemporaryFile(const char* path) {
  const std::size_t length = std::strlen(path);
  if (length >= PATH_MAX)
    return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(slots[i].path, path, length + 1);
      slots[i].state.store(kReady);
      return i;
    }
  }
  return -1;
}

void ReleaseTemporaryFile(int slot) {
  if (slot >= 0 && slot < kSlots)
    slots[slot].state.store(kFree);
}

}  // namespace platform
