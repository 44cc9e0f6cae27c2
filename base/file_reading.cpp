#include "base/file_reading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zelko {
namespace {

constexpr std::size_t kReadChunk = 4096;

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<std::vector<std::uint8_t>> {
    if (error) *error = why;
    return std::nullopt;
  };
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return fail("cannot read " + path + ": it is a folder");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return fail("cannot open " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[kReadChunk];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  const bool failed = std::ferror(file) != 0;
  const std::string why = failed ? std::strerror(errno) : "";
  std::fclose(file);
  if (failed) return fail("cannot read " + path + ": " + why);
  return bytes;
}

}  // namespace zelko
