#pragma once
// Which build this is; the definitions are written by the build (cmake/BuildVersion.cmake).

namespace cli {

extern const char* const kProjectVersion;  // "1.641"
extern const char* const kGitDescription;  // "abc1234", or "" outside a git checkout

}  // namespace cli
