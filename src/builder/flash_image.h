#pragma once
// The files of "Make Bin": the "UserInfo" header copy and listing, and the flash image.

#include <functional>
#include <string>

#include "builder/make_bin.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/message.h"

namespace builder {

struct UserInfoPaths {
  std::string header;   // the chosen name with ".bin" unless it holds ".bin"
  std::string listing;  // the chosen name as given, with ".txt" unless it holds ".txt"
};

// The two "UserInfo" files of a chosen name, or "Error file's name" for an empty one.
platform::Result<UserInfoPaths> UserInfoPathsFor(const std::string& chosen_name);

// Writes the image header and the build listing (CR LF lines in the code page).
// "open Creat file error!\n" when either cannot be written.
platform::Result<platform::Ok> WriteUserInfo(const UserInfoPaths& paths, const PreparedBuild& build,
                                             platform::CodePage page);

// Refuses, before anything is written, a UserInfo or flash image name that is one of the
// build's inputs: a resource, an address list or the project file (when given).
platform::Result<platform::Ok> RefuseBuildOverInputs(const UserInfoPaths& userinfo,
                                                     const std::string& flash,
                                                     const PreparedBuild& build,
                                                     const std::string& project = {});

// Called before the flash image is created and before each resource file is opened (the
// window pauses there; the command line does not).
using PauseBeforeOpen = std::function<void()>;

// The header followed by every resource file in placement order, written beside `path`
// and renamed into place when complete: a resource that cannot be read gives
// "Can't open " + its path, one whose size is no longer the placed one is refused, and
// neither leaves an incomplete image (an earlier image stays).
platform::Result<platform::Ok> WriteFlashImage(const std::string& path, const PreparedBuild& build,
                                               const PauseBeforeOpen& pause = {});

// The same in two steps, so that a build can learn that the image fits on the disk
// before it writes anything else: the image file is created (as a temporary file) with
// its whole size reserved, then filled and put in place.
platform::Result<platform::OutputFile> StartFlashImage(const std::string& path,
                                                       const PreparedBuild& build);
platform::Result<platform::Ok> WriteFlashImage(platform::OutputFile& image,
                                               const PreparedBuild& build,
                                               const PauseBeforeOpen& pause = {});

// The header and every placed resource of a kind the image takes.
std::uint64_t FlashImageSize(const PreparedBuild& build);

}  // namespace builder
