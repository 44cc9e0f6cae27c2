#include "base/file_reading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/path_text.h"

namespace zelko {
namespace {

constexpr std::size_t kReadChunk = 4096;

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path, std::size_t count,
                                                       std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<std::vector<std::uint8_t>> {
    if (error) *error = why;
    return std::nullopt;
  };
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::is_directory(status)) return fail("cannot read " + path + ": it is a folder");
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return fail("cannot read " + path + ": it is not a regular file");
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return fail("cannot open " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes(count);
  const std::size_t n = std::fread(bytes.data(), 1, count, file);
  const bool failed = std::ferror(file) != 0;
  const std::string why = failed ? std::strerror(errno) : "";
  std::fclose(file);
  if (failed) return fail("cannot read " + path + ": " + why);
  bytes.resize(n);
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string* error,
                                                       std::size_t max_bytes) {
  auto fail = [&](const std::string& why) -> std::optional<std::vector<std::uint8_t>> {
    if (error) *error = why;
    return std::nullopt;
  };
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file_path = PathFromUtf8(path);
  const fs::file_status status = fs::status(file_path, ec);
  if (fs::is_directory(status)) return fail("cannot read " + path + ": it is a folder");
  // A device, a pipe or a socket may never end or never answer.
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return fail("cannot read " + path + ": it is not a regular file");
  }
  if (const auto size = fs::file_size(file_path, ec); !ec && size > max_bytes) {
    return fail("cannot read " + path + ": it has " + std::to_string(size) + " bytes, more than the " +
                std::to_string(max_bytes) + " a file of this kind can hold");
  }
#ifdef _WIN32
  std::FILE* file = ::_wfopen(file_path.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(file_path.c_str(), "rb");
#endif
  if (!file) return fail("cannot open " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[kReadChunk];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + n);
    if (bytes.size() > max_bytes) {  // it grew while being read
      std::fclose(file);
      return fail("cannot read " + path + ": it holds more than the " + std::to_string(max_bytes) +
                  " bytes a file of this kind can hold");
    }
  }
  const bool failed = std::ferror(file) != 0;
  const std::string why = failed ? std::strerror(errno) : "";
  std::fclose(file);
  if (failed) return fail("cannot read " + path + ": " + why);
  return bytes;
}

}  // namespace zelko
