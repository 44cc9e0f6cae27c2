// A memory file (--simulate=FILE) shared by several programs as one mouse.
// The simulated mouse reads the file again when an exchange begins and
// saves it when the exchange ends, so a program that starts its exchange
// after another's has ended sees what that one wrote. The programs take the
// mouse's lock around each exchange (device/exchange_lock.h); the file only
// carries the memory from one to the next.
//
// It also counts exchanges that overlap, to show that the lock holds: while
// an exchange runs, FILE.exchange names the process in it; an exchange that
// begins while another live one's marker is there adds a line to
// FILE.overlaps.
#pragma once
#include <optional>
#include <string>

#include "base/result.h"
#include "sim/simulated_mouse.h"

namespace zelko::sim {

std::string ExchangeMarkerPath(const std::string& memory_file);
std::string OverlapLogPath(const std::string& memory_file);

class SharedMemoryFile {
 public:
  // `on_file` is what the file held when the program started (nothing: it
  // does not exist yet). Hooks itself into the mouse's exchanges.
  SharedMemoryFile(std::string path, SimulatedMouse& mouse, std::optional<DeviceMemory> on_file);
  ~SharedMemoryFile();
  SharedMemoryFile(const SharedMemoryFile&) = delete;
  SharedMemoryFile& operator=(const SharedMemoryFile&) = delete;

  // The program ends: saves what the mouse holds unless the file holds it
  // already (a missing file is created).
  [[nodiscard]] Status Finish();
  // Why the last save at the end of an exchange failed; empty when it did not.
  const std::string& save_error() const { return save_error_; }

 private:
  void Began();
  void Ended();
  [[nodiscard]] Status SaveIfChanged();
  void RemoveOwnMarker();

  std::string path_;
  SimulatedMouse& mouse_;
  // What the file holds as far as this program knows.
  std::optional<DeviceMemory> on_file_;
  std::string token_;  // "pid:n", this process and this object
  bool marker_written_ = false;
  std::string save_error_;
};

}  // namespace zelko::sim
