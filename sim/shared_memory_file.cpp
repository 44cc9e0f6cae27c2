#include "sim/shared_memory_file.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/atomic_file.h"
#include "base/file_reading.h"
#include "sim/sim_memory_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zelko::sim {
namespace {

long ThisProcessId() {
#ifdef _WIN32
  return static_cast<long>(::GetCurrentProcessId());
#else
  return static_cast<long>(::getpid());
#endif
}

bool ProcessAlive(long pid) {
  if (pid <= 0) return false;
#ifdef _WIN32
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!process) return false;
  DWORD code = 0;
  const bool alive = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return alive;
#else
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

std::string ReadSmallText(const std::string& path) {
  const auto bytes = ReadWholeFile(path, nullptr);
  if (!bytes) return {};
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace

std::string ExchangeMarkerPath(const std::string& memory_file) { return memory_file + ".exchange"; }
std::string OverlapLogPath(const std::string& memory_file) { return memory_file + ".overlaps"; }

SharedMemoryFile::SharedMemoryFile(std::string path, SimulatedMouse& mouse, std::optional<DeviceMemory> on_file)
    : path_(std::move(path)), mouse_(mouse), on_file_(on_file) {
  static std::atomic<int> made{0};
  token_ = std::to_string(ThisProcessId()) + ":" + std::to_string(++made);
  mouse_.set_exchange_hooks({[this] { Began(); }, [this] { Ended(); }});
}

SharedMemoryFile::~SharedMemoryFile() {
  mouse_.set_exchange_hooks({});
  RemoveOwnMarker();
}

void SharedMemoryFile::Began() {
  const std::string marker = ExchangeMarkerPath(path_);
  const std::string other = ReadSmallText(marker);
  if (!other.empty() && other != token_ && ProcessAlive(std::strtol(other.c_str(), nullptr, 10))) {
    std::ofstream log(OverlapLogPath(path_), std::ios::app);
    log << token_ << " began an exchange while " << other << "'s was open\n";
  }
  marker_written_ = WriteFileAtomically(marker, std::vector<std::uint8_t>(token_.begin(), token_.end())).empty();

  // What another program wrote since this one last looked. A file that
  // cannot be read now is left alone: the mouse keeps what it holds.
  auto loaded = LoadMemoryFile(path_);
  if (loaded && *loaded && (!on_file_ || **loaded != *on_file_)) {
    mouse_.ReplaceMemory(**loaded);
    on_file_ = **loaded;
  }
}

void SharedMemoryFile::Ended() {
  const Status saved = SaveIfChanged();
  save_error_ = saved.error();
  RemoveOwnMarker();
}

Status SharedMemoryFile::SaveIfChanged() {
  if (on_file_ && *on_file_ == mouse_.memory()) return Status::Ok();
  Status saved = SaveMemoryFile(path_, mouse_.memory());
  if (saved) on_file_ = mouse_.memory();
  return saved;
}

Status SharedMemoryFile::Finish() { return SaveIfChanged(); }

void SharedMemoryFile::RemoveOwnMarker() {
  if (!marker_written_) return;
  marker_written_ = false;
  const std::string marker = ExchangeMarkerPath(path_);
  if (ReadSmallText(marker) != token_) return;
  std::error_code error;
  std::filesystem::remove(marker, error);
}

}  // namespace zelko::sim
