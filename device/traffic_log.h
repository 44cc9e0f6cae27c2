// Where a recording goes: whole lines kept in memory and written to the
// file at most a second apart (on the flush clock) and at the end, so that
// recording never slows an exchange enough to change the protocol's timing,
// and a crash loses at most the last second.
//
// The file grows as the program runs instead of being replaced at the end:
// a recording is worth most when the program did not reach its end.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/result.h"

namespace zelko {

inline constexpr std::uint64_t kTrafficFlushIntervalMs = 1000;

class TrafficLog {
 public:
  // Creates or empties `path` (refused when it exists and is not a regular
  // file). `flush_clock` times the flushes; it outlives the log.
  [[nodiscard]] static Result<std::unique_ptr<TrafficLog>> Create(const std::string& path, Clock& flush_clock);
  ~TrafficLog();  // flushes
  TrafficLog(const TrafficLog&) = delete;
  TrafficLog& operator=(const TrafficLog&) = delete;

  // Adds one line (without its newline).
  void Write(const std::string& line);
  // Writes what is buffered. False once a write to the file has failed.
  [[nodiscard]] bool Flush();
  const std::string& path() const { return path_; }

 private:
  TrafficLog(std::FILE* file, std::string path, Clock& flush_clock);

  std::FILE* file_;
  std::string path_;
  Clock& flush_clock_;
  std::uint64_t last_flush_ms_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace zelko
