#pragma once
// Long loops report progress through this callback (0..100). The window pumps its
// events there; the command line draws a bar. An empty function is allowed.

#include <functional>

namespace platform {

using Progress = std::function<void(int percent)>;

inline void Report(const Progress& progress, int percent) {
  if (progress)
    progress(percent);
}

}  // namespace platform
