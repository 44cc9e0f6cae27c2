#include "device/traffic_log.h"

#include <filesystem>
#include <system_error>

namespace zelko {

Result<std::unique_ptr<TrafficLog>> TrafficLog::Create(const std::string& path, Clock& flush_clock) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (!ec && fs::exists(status) && !fs::is_regular_file(status)) {
    return Result<std::unique_ptr<TrafficLog>>::Failure(path + " is not a regular file; the recording needs one");
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return Result<std::unique_ptr<TrafficLog>>::Failure("cannot write the recording to " + path);
  return std::unique_ptr<TrafficLog>(new TrafficLog(file, path, flush_clock));
}

TrafficLog::TrafficLog(std::FILE* file, std::string path, Clock& flush_clock)
    : file_(file), path_(std::move(path)), flush_clock_(flush_clock), last_flush_ms_(flush_clock.NowMs()) {}

TrafficLog::~TrafficLog() {
  (void)Flush();
  std::fclose(file_);
}

void TrafficLog::Write(const std::string& line) {
  buffer_ += line;
  buffer_ += '\n';
  if (flush_clock_.NowMs() - last_flush_ms_ >= kTrafficFlushIntervalMs) (void)Flush();
}

bool TrafficLog::Flush() {
  last_flush_ms_ = flush_clock_.NowMs();
  if (failed_) {
    buffer_.clear();
    return false;
  }
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) failed_ = true;
  if (std::fflush(file_) != 0) failed_ = true;
  buffer_.clear();
  return !failed_;
}

}  // namespace zelko
