#include "macros/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace zelko {
namespace {

bool Allowed(const AtomicWriteHook& hook, AtomicWriteStep step) { return !hook || hook(step); }

std::filesystem::path TempPathFor(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temp = path;
  temp += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  return temp;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const AtomicWriteHook& hook) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    if (!Allowed(hook, AtomicWriteStep::kWriteChunk)) return false;
    const std::size_t chunk = std::min(kAtomicWriteChunk, bytes.size() - done);
    std::size_t chunk_done = 0;
    while (chunk_done < chunk) {
      const ssize_t written = ::write(fd, bytes.data() + done + chunk_done, chunk - chunk_done);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      chunk_done += static_cast<std::size_t>(written);
    }
    done += chunk;
  }
  return true;
}

void SyncFolder(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook) {
  const std::filesystem::path temp = TempPathFor(path);
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return false;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;

  bool ok = WriteAll(fd, bytes, hook);
  ok = ok && Allowed(hook, AtomicWriteStep::kSyncFile) && ::fsync(fd) == 0;
  const bool close_allowed = Allowed(hook, AtomicWriteStep::kCloseFile);
  const bool closed = ::close(fd) == 0;
  ok = ok && close_allowed && closed;
  ok = ok && Allowed(hook, AtomicWriteStep::kRename) && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The new file is in place; flushing the folder makes the rename durable.
  if (Allowed(hook, AtomicWriteStep::kSyncFolder)) SyncFolder(path);
  return true;
}

}  // namespace zelko
