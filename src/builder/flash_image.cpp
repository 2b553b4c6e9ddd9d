#include "builder/flash_image.h"

#include <algorithm>

#include "builder/build_messages.h"
#include "builder/resource_kinds.h"
#include "platform/file_io.h"
#include "platform/output_name.h"
#include "platform/paths.h"

namespace builder {

platform::Result<UserInfoPaths> UserInfoPathsFor(const std::string& chosen_name) {
  auto header = platform::OutputPathFor(chosen_name, ".bin");
  if (!header)
    return header.error();
  auto listing = platform::OutputPathFor(chosen_name, ".txt");
  return UserInfoPaths{*header, *listing};
}

platform::Result<platform::Ok> WriteUserInfo(const UserInfoPaths& paths, const PreparedBuild& build,
                                             platform::CodePage page) {
  if (auto written = platform::WriteFile(paths.header, build.header); !written)
    return platform::Because(platform::Error(kCreateFileError), paths.header, written.error().text);
  const auto listing = platform::TextFileBytes(build.listing, page);
  if (auto written = platform::WriteFile(paths.listing, listing); !written) {
    return platform::Because(platform::Error(kCreateFileError), paths.listing,
                             written.error().text);
  }
  return platform::Ok{};
}

platform::Result<platform::Ok> RefuseBuildOverInputs(const UserInfoPaths& userinfo,
                                                     const std::string& flash,
                                                     const PreparedBuild& build,
                                                     const std::string& project) {
  std::vector<std::string> inputs = BuildInputPaths(build.resources);
  if (!project.empty())
    inputs.push_back(project);
  return platform::RefuseOutputsOverInputs({userinfo.header, userinfo.listing, flash}, inputs);
}

namespace {

// True for the names whose files the image takes.
bool IsPlaced(const std::string& name) {
  const auto kind = KindOf(name);
  return kind &&
         std::find(kPlacementOrder.begin(), kPlacementOrder.end(), *kind) != kPlacementOrder.end();
}

platform::Message ChangedWhileBuilt(const std::string& resource_path) {
  return platform::Error(resource_path +
                         " changed while the image was built: it no longer fits the place the "
                         "tables give it");
}

// Resources are copied in pieces of this size, so no file is held whole.
constexpr std::uint64_t kCopyPiece = 4 * platform::kMiB;

platform::Result<platform::Ok> AppendResource(platform::OutputFile& image,
                                              const std::string& resource_path,
                                              const std::uint64_t* placed) {
  auto resource = platform::FileReader::Open(resource_path);
  if (!resource) {
    return platform::Because(platform::Error(CantOpen(resource_path)), resource_path,
                             resource.error().text);
  }
  if (!placed || resource->Size() != *placed)
    return ChangedWhileBuilt(resource_path);
  const std::uint64_t placed_size = *placed;
  for (std::uint64_t at = 0; at < placed_size; at += kCopyPiece) {
    auto piece = resource->Read(at, kCopyPiece);
    if (!piece) {
      return platform::Because(platform::Error(CantOpen(resource_path)), resource_path,
                               piece.error().text);
    }
    if (piece->size() != std::min(kCopyPiece, placed_size - at)) {
      return ChangedWhileBuilt(resource_path);
    }
    if (auto written = image.Write(*piece); !written)
      return platform::Because(platform::Error(CantOpen(image.Path())), image.Path(),
                               written.error().text);
  }
  return platform::Ok{};
}

}  // namespace

std::uint64_t FlashImageSize(const PreparedBuild& build) {
  std::uint64_t size = build.header.size();
  for (const auto& [name, placed] : build.placed_sizes) {
    if (IsPlaced(name))
      size += placed;
  }
  return size;
}

platform::Result<platform::OutputFile> StartFlashImage(const std::string& path,
                                                       const PreparedBuild& build) {
  // Every resource must still be there as it was placed before anything is written.
  for (const std::string& name : build.resources.names) {
    if (!IsPlaced(name))
      continue;
    const std::string resource_path = build.resources.PathOf(name);
    auto resource = platform::FileReader::Open(resource_path);
    if (!resource) {
      return platform::Because(platform::Error(CantOpen(resource_path)), resource_path,
                               resource.error().text);
    }
    const auto placed = build.placed_sizes.find(name);
    if (placed == build.placed_sizes.end() || placed->second != resource->Size())
      return ChangedWhileBuilt(resource_path);
  }
  // The image grows in a temporary file beside its final name; it is renamed into place
  // only when every resource has been appended, and removed otherwise.
  auto image = platform::OutputFile::Create(path);
  if (!image)
    return platform::Because(platform::Error(CantOpen(path)), path, image.error().text);
  if (auto reserved = image->Reserve(FlashImageSize(build)); !reserved)
    return platform::Because(platform::Error(CantOpen(path)), path, reserved.error().text);
  return std::move(*image);
}

platform::Result<platform::Ok> WriteFlashImage(const std::string& path, const PreparedBuild& build,
                                               const PauseBeforeOpen& pause) {
  if (pause)
    pause();
  auto image = StartFlashImage(path, build);
  if (!image)
    return image.error();
  return WriteFlashImage(*image, build, pause);
}

platform::Result<platform::Ok> WriteFlashImage(platform::OutputFile& image,
                                               const PreparedBuild& build,
                                               const PauseBeforeOpen& pause) {
  const std::string& path = image.Path();
  if (auto written = image.Write(build.header); !written)
    return platform::Because(platform::Error(CantOpen(path)), path, written.error().text);
  for (ResourceKind kind : kPlacementOrder) {
    for (const std::string& name : build.resources.names) {
      if (!IsOfKind(name, kind))
        continue;
      if (pause)
        pause();
      const auto placed = build.placed_sizes.find(name);
      const std::string resource_path = build.resources.PathOf(name);
      const std::uint64_t* placed_size =
          placed == build.placed_sizes.end() ? nullptr : &placed->second;
      if (auto appended = AppendResource(image, resource_path, placed_size); !appended)
        return appended.error();
    }
  }
  if (auto committed = image.Commit(); !committed)
    return platform::Because(platform::Error(CantOpen(path)), path, committed.error().text);
  return platform::Ok{};
}

}  // namespace builder
