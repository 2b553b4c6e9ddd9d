#include "platform/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/interrupt_cleanup.h"
#include "platform/paths.h"

namespace platform {

namespace {

constexpr std::size_t kNameLimit = 255;  // bytes in one file name, as every file system here

Message SystemError(int error_number) {
  return Error(std::strerror(error_number));
}

// Opens `path` for reading and checks that it is a regular file. O_NONBLOCK keeps a FIFO
// from blocking the open; it has no effect on regular files.
Result<int> OpenRegularFile(const std::string& path, std::uint64_t& size) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (descriptor < 0)
    return SystemError(errno);
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    const int error_number = errno;
    ::close(descriptor);
    return SystemError(error_number);
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return Error(S_ISDIR(status.st_mode) ? "is a folder, not a file" : "is not a regular file");
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return descriptor;
}

// Reads up to `length` bytes at `offset` into `target`; returns how many were read (fewer
// at the end of the file) or -1 with errno set.
std::int64_t ReadAt(int descriptor, std::uint8_t* target, std::uint64_t length,
                    std::uint64_t offset) {
  std::uint64_t done = 0;
  while (done < length) {
    const ssize_t got =
        ::pread(descriptor, target + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR)
        continue;
      return -1;
    }
    if (got == 0)
      break;
    done += static_cast<std::uint64_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

// Cuts a UTF-8 name to at most `limit` bytes without splitting a character.
std::string CutName(const std::string& name, std::size_t limit) {
  if (name.size() <= limit)
    return name;
  std::size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
    --cut;
  return name.substr(0, cut);
}

}  // namespace

std::string SizeText(std::uint64_t bytes) {
  if (bytes >= kGiB && bytes % kGiB == 0)
    return std::to_string(bytes / kGiB) + " GiB";
  if (bytes >= kMiB && bytes % kMiB == 0)
    return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

Result<Bytes> ReadFile(const std::string& path, std::uint64_t limit) {
  auto reader = FileReader::Open(path);
  if (!reader)
    return reader.error();
  if (reader->Size() > limit) {
    return Error("is " + std::to_string(reader->Size()) + " bytes, over the " + SizeText(limit) +
                 " limit");
  }
  return reader->Read(0, reader->Size());
}

std::optional<Bytes> ReadFileBytes(const std::string& path) {
  auto bytes = ReadFile(path, std::uint64_t{4} * kGiB);
  if (!bytes)
    return std::nullopt;
  return std::move(*bytes);
}

Result<FileReader> FileReader::Open(const std::string& path) {
  std::uint64_t size = 0;
  auto descriptor = OpenRegularFile(path, size);
  if (!descriptor)
    return descriptor.error();
  return FileReader(*descriptor, size, path);
}

FileReader::FileReader(FileReader&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      size_(other.size_),
      path_(std::move(other.path_)) {}

FileReader& FileReader::operator=(FileReader&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0)
      ::close(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
    size_ = other.size_;
    path_ = std::move(other.path_);
  }
  return *this;
}

FileReader::~FileReader() {
  if (descriptor_ >= 0)
    ::close(descriptor_);
}

Result<Bytes> FileReader::Read(std::uint64_t offset, std::uint64_t length) const {
  if (offset >= size_)
    return Bytes{};
  length = std::min(length, size_ - offset);
  Bytes bytes(static_cast<std::size_t>(length));
  const std::int64_t got = ReadAt(descriptor_, bytes.data(), length, offset);
  if (got < 0)
    return SystemError(errno);
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

std::string TemporaryPathFor(const std::string& path, unsigned serial) {
  const std::string suffix = ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial);
  const std::string folder = path.rfind(kSeparator) == std::string::npos ? "" : FolderOf(path);
  return folder + CutName(BareName(path), kNameLimit - suffix.size()) + suffix;
}

Result<OutputFile> OutputFile::Create(const std::string& path) {
  static std::atomic<unsigned> serial{0};
  if (path.empty())
    return Error("an empty file name");
  std::string temporary = TemporaryPathFor(path, serial++);
  // Registered before it exists: an interrupt between creating and registering it would
  // otherwise leave it behind.
  const int slot = RegisterTemporaryFile(temporary.c_str());
  const int descriptor =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (descriptor < 0) {
    const int error_number = errno;
    ReleaseTemporaryFile(slot);
    return SystemError(error_number);
  }
  return OutputFile(descriptor, path, std::move(temporary), slot);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)),
      path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_)),
      cleanup_slot_(std::exchange(other.cleanup_slot_, -1)),
      size_(other.size_),
      reserved_(other.reserved_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Discard();
    descriptor_ = std::exchange(other.descriptor_, -1);
    path_ = std::move(other.path_);
    temporary_ = std::move(other.temporary_);
    cleanup_slot_ = std::exchange(other.cleanup_slot_, -1);
    size_ = other.size_;
    reserved_ = other.reserved_;
  }
  return *this;
}

OutputFile::~OutputFile() {
  Discard();
}

Result<Ok> OutputFile::Write(std::span<const std::uint8_t> bytes) {
  if (descriptor_ < 0)
    return Error("the file is already closed");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR)
      continue;
    if (put <= 0) {
      const int error_number = put < 0 ? errno : ENOSPC;
      // Cut back to the last whole item; the kept part must not end in a fragment.
      if (::ftruncate(descriptor_, static_cast<off_t>(size_)) == 0)
        ::lseek(descriptor_, static_cast<off_t>(size_), SEEK_SET);
      return SystemError(error_number);
    }
    done += static_cast<std::size_t>(put);
  }
  size_ += bytes.size();
  return Ok{};
}

Result<Ok> OutputFile::Reserve(std::uint64_t size) {
  if (descriptor_ < 0)
    return Error("the file is already closed");
  if (size <= size_)
    return Ok{};
  // fallocate, not posix_fallocate: where the file system cannot reserve, glibc's
  // fallback would write the whole size block by block.
  const int error_number =
      ::fallocate(descriptor_, 0, 0, static_cast<off_t>(size)) == 0 ? 0 : errno;
  if (error_number == 0) {
    reserved_ = std::max(reserved_, size);
    return Ok{};
  }
  if (error_number != EOPNOTSUPP && error_number != ENOSYS)
    return Error(std::string(std::strerror(error_number)) + " (" + std::to_string(size) +
                 " bytes needed)");
  // A file system that cannot reserve: at least compare with the free space it reports.
  struct statvfs space {};
  if (::fstatvfs(descriptor_, &space) == 0 &&
      std::uint64_t{space.f_bavail} * space.f_frsize < size - size_)
    return Error(std::string(std::strerror(ENOSPC)) + " (" + std::to_string(size) +
                 " bytes needed)");
  return Ok{};
}

Result<Ok> OutputFile::Commit() {
  if (descriptor_ < 0)
    return Error("the file is already closed");
  // Space reserved beyond what was written goes.
  if (reserved_ > size_ && ::ftruncate(descriptor_, static_cast<off_t>(size_)) != 0) {
    const int error_number = errno;
    Discard();
    return SystemError(error_number);
  }
  const int descriptor = std::exchange(descriptor_, -1);
  if (::close(descriptor) != 0) {
    const int error_number = errno;
    Discard();
    return SystemError(error_number);
  }
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const int error_number = errno;
    Discard();
    return SystemError(error_number);
  }
  ReleaseTemporaryFile(std::exchange(cleanup_slot_, -1));
  temporary_.clear();
  return Ok{};
}

void OutputFile::Discard() {
  if (descriptor_ >= 0)
    ::close(std::exchange(descriptor_, -1));
  if (!temporary_.empty())
    ::unlink(temporary_.c_str());
  temporary_.clear();
  ReleaseTemporaryFile(std::exchange(cleanup_slot_, -1));
}

Result<Ok> WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  auto output = OutputFile::Create(path);
  if (!output)
    return output.error();
  if (auto written = output->Write(bytes); !written)
    return written.error();
  return output->Commit();
}

bool FileExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

namespace {
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};
std::optional<FileId> IdOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0)
    return std::nullopt;
  return FileId{status.st_dev, status.st_ino};
}
}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  const auto first = IdOf(a);
  return first && first == IdOf(b);
}

Result<Ok> RefuseOutputsOverInputs(const std::vector<std::string>& outputs,
                                   const std::vector<std::string>& inputs) {
  std::vector<std::pair<FileId, const std::string*>> existing;
  for (const std::string& output : outputs) {
    if (auto id = IdOf(output))
      existing.emplace_back(*id, &output);
  }
  if (existing.empty())
    return Ok{};
  for (const std::string& input : inputs) {
    const auto id = IdOf(input);
    for (const auto& [output_id, output] : existing) {
      if (id == output_id)
        return Error(*output + " is also an input (" + input + "); nothing was written");
    }
  }
  return Ok{};
}

}  // namespace platform
