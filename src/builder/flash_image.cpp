#include "builder/flash_image.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "builder/build_messages.h"
#include "builder/resource_kinds.h"
#include "platform/file_io.h"
#include "platform/output_name.h"
#include "platform/paths.h"

namespace builder {

namespace fs = std::filesystem;

platform::Result<UserInfoPaths> UserInfoPathsFor(const std::string& chosen_name) {
  auto header = platform::OutputPathFor(chosen_name, ".bin");
  if (!header)
    return header.error();
  auto listing = platform::OutputPathFor(chosen_name, ".txt");
  return UserInfoPaths{*header, *listing};
}

platform::Result<platform::Ok> WriteUserInfo(const UserInfoPaths& paths, const PreparedBuild& build,
                                             platform::CodePage page) {
  if (!platform::WriteFileAtomically(paths.header, build.header))
    return platform::Error(kCreateFileError);
  if (!platform::WriteFileAtomically(paths.listing, platform::TextFileBytes(build.listing, page)))
    return platform::Error(kCreateFileError);
  return platform::Ok{};
}

namespace {

// The image grows in a temporary file beside its final name; it is renamed into place
// only when every resource has been appended.
class PendingImage {
 public:
  explicit PendingImage(const std::string& path)
      : target_(platform::PathFromUtf8(path)),
        temp_(target_.string() + ".part" + std::to_string(::getpid())),
        out_(temp_, std::ios::binary | std::ios::trunc) {}
  ~PendingImage() {
    if (!committed_) {
      out_.close();
      std::error_code ignored;
      fs::remove(temp_, ignored);
    }
  }
  PendingImage(const PendingImage&) = delete;
  PendingImage& operator=(const PendingImage&) = delete;

  [[nodiscard]] bool IsOpen() const { return out_.is_open(); }

  bool Append(std::span<const std::uint8_t> bytes) {
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out_);
  }

  bool Commit() {
    out_.close();
    if (!out_)
      return false;
    std::error_code error;
    fs::rename(temp_, target_, error);
    committed_ = !error;
    return committed_;
  }

 private:
  fs::path target_;
  fs::path temp_;
  std::ofstream out_;
  bool committed_ = false;
};

}  // namespace

platform::Result<platform::Ok> WriteFlashImage(const std::string& path, const PreparedBuild& build,
                                               const PauseBeforeOpen& pause) {
  if (pause)
    pause();
  PendingImage image(path);
  if (!image.IsOpen() || !image.Append(build.header))
    return platform::Error(CantOpen(path));
  for (ResourceKind kind : kPlacementOrder) {
    for (const std::string& name : build.resources.names) {
      if (!IsOfKind(name, kind))
        continue;
      if (pause)
        pause();
      const std::string resource_path = build.resources.PathOf(name);
      const std::optional<platform::Bytes> bytes = platform::ReadFileBytes(resource_path);
      if (!bytes)
        return platform::Error(CantOpen(resource_path));
      const auto placed = build.placed_sizes.find(name);
      if (placed == build.placed_sizes.end() || placed->second != bytes->size())
        return platform::Error(resource_path +
                               " changed while the image was built: it no longer fits the "
                               "place the tables give it");
      if (!image.Append(*bytes))
        return platform::Error(CantOpen(path));
    }
  }
  if (!image.Commit())
    return platform::Error(CantOpen(path));
  return platform::Ok{};
}

}  // namespace builder
