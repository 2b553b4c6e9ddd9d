#include "platform/file_io.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "platform/paths.h"

namespace platform {
namespace fs = std::filesystem;

std::optional<Bytes> ReadFileBytes(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in)
    return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0)
    return std::nullopt;
  in.seekg(0, std::ios::beg);
  Bytes bytes(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    return std::nullopt;
  return bytes;
}

static bool WriteAll(const fs::path& path, std::span<const std::uint8_t> bytes,
                     std::ios::openmode mode) {
  std::ofstream out(path, std::ios::binary | mode);
  if (!out)
    return false;
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  static std::atomic<unsigned> counter{0};
  const fs::path target = PathFromUtf8(path);
  fs::path temp = target;
  temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  if (!WriteAll(temp, bytes, std::ios::trunc)) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  std::error_code error;
  fs::rename(temp, target, error);
  if (error) {
    fs::remove(temp, error);
    return false;
  }
  return true;
}

bool StoreInFile(const std::string& path, std::span<const std::uint8_t> bytes, bool create) {
  if (create)
    return WriteFileAtomically(path, bytes);
  if (!FileExists(path))
    return false;
  return WriteAll(PathFromUtf8(path), bytes, std::ios::app);
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(PathFromUtf8(path), error);
}

}  // namespace platform
