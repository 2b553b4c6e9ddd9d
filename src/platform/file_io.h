#pragma once
// Reading and writing files safely. Readers check that a path names a regular file and
// never read past the size they found, nor more than the caller's limit. Writers never
// leave a half-written file: bytes go to a temporary file in the same folder that is
// renamed into place when complete, and an interrupted program removes it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/message.h"

namespace platform {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

// "16 MiB", "1 GiB": a limit as the messages name it.
std::string SizeText(std::uint64_t bytes);

// Errors of the readers and writers below say why without naming the path ("is a folder,
// not a file", "No space left on device"): the caller puts the path or its own message
// in front.

// The whole regular file at `path`. A folder, a device, a file over `limit` bytes or one
// that cannot be read is an error.
Result<Bytes> ReadFile(const std::string& path, std::uint64_t limit);

// A regular file opened for reading parts of it, for files too large to hold whole
// (flash images) or copied in pieces.
class FileReader {
 public:
  static Result<FileReader> Open(const std::string& path);
  FileReader(FileReader&& other) noexcept;
  FileReader& operator=(FileReader&& other) noexcept;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  // The size found when the file was opened.
  [[nodiscard]] std::uint64_t Size() const { return size_; }
  // The bytes from `offset` on, at most `length` and never past Size(); fewer when the
  // file has since shrunk.
  [[nodiscard]] Result<Bytes> Read(std::uint64_t offset, std::uint64_t length) const;
  [[nodiscard]] const std::string& Path() const { return path_; }

 private:
  FileReader(int descriptor, std::uint64_t size, std::string path)
      : descriptor_(descriptor), size_(size), path_(std::move(path)) {}
  int descriptor_ = -1;
  std::uint64_t size_ = 0;
  std::string path_;
};

// A file being written. Bytes go to a temporary file beside `path` (its name cut so it
// stays within the 255-byte name limit); Commit renames it into place. Until then a file
// of that name stays as it was. Destroying an uncommitted output, or SIGINT / SIGTERM
// (see InstallInterruptCleanup), removes the temporary file.
class OutputFile {
 public:
  static Result<OutputFile> Create(const std::string& path);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Writes every byte (short writes are continued). On failure the file is cut back to
  // where this write began, so it never ends inside a half-written item.
  Result<Ok> Write(std::span<const std::uint8_t> bytes);
  // Makes sure `size` bytes will fit on the disk before any is written, so a file that
  // cannot be completed is refused at once instead of after gigabytes.
  Result<Ok> Reserve(std::uint64_t size);
  // Closes the file and renames it into place.
  Result<Ok> Commit();
  // Removes the temporary file; the target stays as it was.
  void Discard();

  [[nodiscard]] std::uint64_t Size() const { return size_; }
  [[nodiscard]] const std::string& Path() const { return path_; }
  [[nodiscard]] const std::string& TemporaryPath() const { return temporary_; }

 private:
  OutputFile(int descriptor, std::string path, std::string temporary, int cleanup_slot)
      : descriptor_(descriptor),
        path_(std::move(path)),
        temporary_(std::move(temporary)),
        cleanup_slot_(cleanup_slot) {}
  int descriptor_ = -1;
  std::string path_;
  std::string temporary_;
  int cleanup_slot_ = -1;
  std::uint64_t size_ = 0;
  std::uint64_t reserved_ = 0;
};

// The name of the temporary file that stands for `path` while it is written: in the same
// folder, within the 255-byte name limit (the user's name is cut, never refused).
std::string TemporaryPathFor(const std::string& path, unsigned serial);

// Creates or replaces the file with exactly these bytes. On an error an existing file of
// that name is left as it was.
Result<Ok> WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);

// For tests and tools: the whole file, or nothing.
std::optional<Bytes> ReadFileBytes(const std::string& path);

inline bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  return WriteFile(path, bytes).ok();
}

// True when `path` names an existing regular file.
bool FileExists(const std::string& path);

// True when both paths name the same existing file, however they are spelt (relative
// paths, "..", symbolic and hard links): same device and inode.
bool SameFile(const std::string& a, const std::string& b);

// Refuses, before anything is written, an output path that names one of the inputs:
// "<output> is also an input (<input>); nothing was written".
Result<Ok> RefuseOutputsOverInputs(const std::vector<std::string>& outputs,
                                   const std::vector<std::string>& inputs);

}  // namespace platform
