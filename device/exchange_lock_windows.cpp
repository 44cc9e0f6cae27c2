// The Windows backend of the exchange lock: a named mutex in the session's
// namespace, and a small named shared memory beside it where the holder
// writes its process id and program name. The system releases the mutex of
// a program that ends without releasing it (the next taker sees it
// abandoned, which counts as taken).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "device/exchange_lock.h"

namespace zelko {
namespace {

constexpr DWORD kHolderBytes = 256;

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string ThisProgramName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::filesystem::path(path).stem().string();
}

class MutexExchangeLock final : public ExchangeLock {
 public:
  // `fixed_name`: the lock's name whatever the node (a shared file's).
  explicit MutexExchangeLock(std::string fixed_name = {}) : fixed_name_(std::move(fixed_name)) {}
  ~MutexExchangeLock() override {
    Release();
    Close();
  }

  LockAttempt TryTake(const std::string& node) override {
    LockAttempt attempt;
    const std::string name = fixed_name_.empty() ? LockNameOf(node) : fixed_name_;
    if (name != name_) {
      Release();
      Close();
    }
    if (!mutex_) {
      mutex_ = ::CreateMutexW(nullptr, FALSE, Widen("Local\\zelko77-mouse-" + name).c_str());
      holder_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHolderBytes,
                                     Widen("Local\\zelko77-holder-" + name).c_str());
      if (!mutex_) {
        attempt.outcome = LockOutcome::kUnavailable;
        attempt.error = "cannot make the mouse's lock (error " + std::to_string(::GetLastError()) + ")";
        Close();
        return attempt;
      }
      name_ = name;
    }
    const DWORD waited = ::WaitForSingleObject(mutex_, 0);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
      held_ = true;
      WriteHolder(std::to_string(::GetCurrentProcessId()) + " " + ThisProgramName());
      return attempt;
    }
    attempt.outcome = LockOutcome::kHeldByAnother;
    attempt.holder = ReadHolder();
    return attempt;
  }

  void Release() override {
    if (!held_) return;
    WriteHolder({});
    ::ReleaseMutex(mutex_);
    held_ = false;
  }

 private:
  void Close() {
    if (holder_) ::CloseHandle(holder_);
    if (mutex_) ::CloseHandle(mutex_);
    holder_ = mutex_ = nullptr;
    name_.clear();
  }

  void WriteHolder(const std::string& text) {
    if (!holder_) return;
    void* view = ::MapViewOfFile(holder_, FILE_MAP_WRITE, 0, 0, kHolderBytes);
    if (!view) return;
    std::memset(view, 0, kHolderBytes);
    std::memcpy(view, text.data(), std::min<std::size_t>(text.size(), kHolderBytes - 1));
    ::UnmapViewOfFile(view);
  }

  LockHolder ReadHolder() const {
    LockHolder holder;
    if (!holder_) return holder;
    const void* view = ::MapViewOfFile(holder_, FILE_MAP_READ, 0, 0, kHolderBytes);
    if (!view) return holder;
    char text[kHolderBytes] = {};
    std::memcpy(text, view, kHolderBytes - 1);
    ::UnmapViewOfFile(view);
    char* end = nullptr;
    const long pid = std::strtol(text, &end, 10);
    if (end == text || pid <= 0) return holder;
    holder.pid = pid;
    holder.program = *end == ' ' ? std::string(end + 1) : std::string();
    return holder;
  }

  std::string fixed_name_;
  std::string name_;
  HANDLE mutex_ = nullptr;
  HANDLE holder_ = nullptr;
  bool held_ = false;
};

}  // namespace

std::unique_ptr<ExchangeLock> MakeNodeExchangeLock() { return std::make_unique<MutexExchangeLock>(); }

std::unique_ptr<ExchangeLock> MakeFileExchangeLock(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return std::make_unique<MutexExchangeLock>("file-" + LockNameOf(error ? path : absolute.string()));
}

}  // namespace zelko
