#include "device/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

std::string TempPathFor(const std::filesystem::path& target) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  return target.string() + suffix;
}

#ifndef _WIN32
// Writes everything to `temp` and flushes it to disk.
std::string WriteAndSync(const std::string& temp, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return "cannot create " + temp + ": " + std::strerror(errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = std::strerror(errno);
      ::close(fd);
      return "cannot write " + temp + ": " + why;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) {
    const std::string why = std::strerror(errno);
    ::close(fd);
    return "cannot flush " + temp + ": " + why;
  }
  if (::close(fd) != 0) return "cannot close " + temp + ": " + std::strerror(errno);
  return {};
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
#else
std::string WriteAndSync(const std::string& temp, std::span<const std::uint8_t> bytes) {
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return "cannot create " + temp;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                  std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  return ok && closed ? std::string{} : "cannot write " + temp;
}
void SyncFolder(const std::filesystem::path&) {}
#endif

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path target(path);
  const std::string temp = TempPathFor(target);
  if (std::string error = WriteAndSync(temp, bytes); !error.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return error;
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return "cannot replace " + path + ": " + ec.message();
  }
  SyncFolder(target.parent_path());
  return {};
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) {
    if (error) *error = "cannot read " + path;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace zelko
