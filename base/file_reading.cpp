#include "base/file_reading.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/path_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

constexpr std::size_t kReadChunk = 4096;

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return std::nullopt;
}

std::string TooLarge(const std::string& path, std::size_t max_bytes) {
  return "cannot read " + path + ": it holds more than the " + std::to_string(max_bytes) +
         " bytes a file of this kind can hold";
}

#ifndef _WIN32
// The file is opened first and the opened descriptor is checked, so a file
// swapped for a pipe between a check and the open cannot block the reader:
// O_NONBLOCK makes opening a pipe without a writer return at once, and the
// check on the descriptor then refuses it. O_NOCTTY keeps a terminal named
// by mistake from becoming ours.
std::optional<Bytes> ReadOpened(const std::string& path, std::size_t limit, bool whole,
                                std::string* error) {
  const int fd = ::open(PathFromUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Fail(error, "cannot open " + path + ": " + std::strerror(errno));
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Fail(error, "cannot read " + path + ": " + std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return Fail(error, "cannot read " + path + ": it is a folder");
  // A device, a pipe or a socket may never end or never answer.
  if (!S_ISREG(info.st_mode)) return Fail(error, "cannot read " + path + ": it is not a regular file");
  if (whole && static_cast<std::uintmax_t>(info.st_size) > limit) {
    return Fail(error, "cannot read " + path + ": it has " + std::to_string(info.st_size) +
                           " bytes, more than the " + std::to_string(limit) +
                           " a file of this kind can hold");
  }
  Bytes bytes;
  std::uint8_t buffer[kReadChunk];
  for (;;) {
    // One byte past the limit tells a file that grew while being read.
    const std::size_t room = whole ? limit + 1 - bytes.size() : limit - bytes.size();
    if (room == 0) break;
    const ssize_t n = ::read(fd, buffer, std::min(room, sizeof buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail(error, "cannot read " + path + ": " + std::strerror(errno));
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  if (whole && bytes.size() > limit) return Fail(error, TooLarge(path, limit));
  return bytes;
}
#else
std::optional<Bytes> ReadOpened(const std::string& path, std::size_t limit, bool whole,
                                std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file_path = PathFromUtf8(path);
  const fs::file_status status = fs::status(file_path, ec);
  if (fs::is_directory(status)) return Fail(error, "cannot read " + path + ": it is a folder");
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return Fail(error, "cannot read " + path + ": it is not a regular file");
  }
  if (const auto size = fs::file_size(file_path, ec); whole && !ec && size > limit) {
    return Fail(error, "cannot read " + path + ": it has " + std::to_string(size) +
                           " bytes, more than the " + std::to_string(limit) +
                           " a file of this kind can hold");
  }
  std::FILE* file = ::_wfopen(file_path.c_str(), L"rb");
  if (!file) return Fail(error, "cannot open " + path + ": " + std::strerror(errno));
  Bytes bytes;
  std::uint8_t buffer[kReadChunk];
  for (;;) {
    const std::size_t room = whole ? limit + 1 - bytes.size() : limit - bytes.size();
    if (room == 0) break;
    const std::size_t n = std::fread(buffer, 1, std::min(room, sizeof buffer), file);
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  const bool failed = std::ferror(file) != 0;
  const std::string why = failed ? std::strerror(errno) : "";
  std::fclose(file);
  if (failed) return Fail(error, "cannot read " + path + ": " + why);
  if (whole && bytes.size() > limit) return Fail(error, TooLarge(path, limit));
  return bytes;
}
#endif

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path, std::size_t count,
                                                       std::string* error) {
  return ReadOpened(path, count, /*whole=*/false, error);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string* error,
                                                       std::size_t max_bytes) {
  return ReadOpened(path, max_bytes, /*whole=*/true, error);
}

}  // namespace zelko
