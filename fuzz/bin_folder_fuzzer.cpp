// A bin folder as "Make Bin" reads it: the input is the address list of a picture
// resource, a GIF resource and a number set, each beside a resource file, and the user
// commands refer to all three. Whatever the lists hold, the build either stops with a
// message or fills a header of the right size.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "builder/make_bin.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/module_project.h"

namespace {

void Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// One folder per process, its resource files written once and removed at exit.
class ScratchFolder {
 public:
  ScratchFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("dravick-bin-folder-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
    const std::vector<std::uint8_t> resource(4096, 0x5A);
    for (const char* name : {"Picture-a.bin", "Gif-b.bin", "Number-c.bin", "Wav-d.bin"})
      Write(path_ / name, resource);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  [[nodiscard]] std::string Path() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

const std::string& Folder() {
  static const ScratchFolder scratch;
  static const std::string folder = scratch.Path();
  return folder;
}

const builder::CommandList& Commands() {
  static const builder::CommandList commands =
      fuzz::ModuleProject({"80h: 1, 0, 0, 0", "88h: 1, 0, 0, 1", "90h: PT1, 5, 5", "B8h: 1"});
  return commands;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> list(data, size);
  const std::string& folder = Folder();
  for (const char* name : {"Picture-a-Addr.txt", "Gif-b-Addr.txt", "Number-c-Addr.txt"})
    Write(folder + name, list);

  fuzz::Choices choices(list);
  builder::ResourceSet resources;
  resources.folder = folder;
  resources.names = {"Picture-a.bin", "Gif-b.bin", "Number-c.bin", "Wav-d.bin"};
  resources.header_size = choices.Next(2) == 1 ? builder::kNandHeaderSize : builder::kNorHeaderSize;
  const auto build = builder::PrepareBuild(
      resources, Commands(), builder::BuildTime{},
      [](const platform::Message& message) { FUZZ_REQUIRE(!message.text.empty()); });
  if (!build) {
    FUZZ_REQUIRE(fuzz::ClearError(build.error()));
    return 0;
  }
  FUZZ_REQUIRE(build->header.size() == resources.header_size);
  return 0;
}
