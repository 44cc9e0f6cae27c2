// The firmware side of the command protocol: 2048 bytes of parameter
// memory, commands 1 to 8, the status reply, block reads and writes in
// chunk order, and the acknowledgement byte. A request is carried out when
// it is acknowledged (a poll that answers 0xCC), so a refused or
// not-yet-ready request has no effect and the host's resend is safe.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "base/clock.h"
#include "device/protocol_layout.h"
#include "sim/sim_faults.h"

namespace zelko::sim {

using DeviceMemory = std::array<std::uint8_t, kDeviceMemorySize>;

class SimulatedMouse {
 public:
  // Starts with factory image 1 in memory, then applies faults.identity.
  SimulatedMouse(Clock& clock, SimFaults faults = {});
  SimulatedMouse(Clock& clock, const DeviceMemory& memory, SimFaults faults = {});

  // The two halves of a feature transfer on the configuration interface.
  [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report);
  [[nodiscard]] bool GetFeature(std::span<std::uint8_t> report);

  DeviceMemory& memory() { return memory_; }
  const DeviceMemory& memory() const { return memory_; }
  SimFaults& faults() { return faults_; }
  // The memory as another program left it (a shared memory file read
  // again); the identity knob applies over it as at the start.
  void ReplaceMemory(const DeviceMemory& memory);
  bool unplugged() const { return unplugged_; }

  // Told when an exchange begins (command 1 carried out) and when it ends
  // (command 2 carried out), before the reply goes back.
  struct ExchangeHooks {
    std::function<void()> began;
    std::function<void()> ended;
  };
  void set_exchange_hooks(ExchangeHooks hooks) { hooks_ = std::move(hooks); }
  void Unplug() { unplugged_ = true; }

  // How many requests of each command code were carried out (0..8).
  int executed(CommandCode code) const { return executed_[static_cast<std::size_t>(code)]; }
  long reports_seen() const { return reports_seen_; }
  // The report that carried out the first write chunk (0: none yet), so a
  // fault can be timed to strike while the mouse is being written.
  long first_write_report() const { return first_write_report_; }

 private:
  using Report = std::array<std::uint8_t, kReportLength>;
  [[nodiscard]] bool CountReport();
  Report Execute(const Report& request);
  Report Status(Report reply) const;
  Report BeginBlock(Report reply, bool read);
  Report NextReadChunk(Report reply);
  Report NextWriteChunk(Report reply);
  void NextChunk(std::size_t count);
  void StoreByte(std::uint16_t address, std::uint8_t value);

  enum class BlockMode { kNone, kRead, kWrite };

  Clock& clock_;
  SimFaults faults_;
  DeviceMemory memory_{};
  bool unplugged_ = false;
  long reports_seen_ = 0;
  long first_write_report_ = 0;
  std::array<int, 9> executed_{};
  ExchangeHooks hooks_;

  bool has_request_ = false;
  bool request_done_ = false;
  int pending_polls_ = 0;
  Report request_{};
  Report reply_{};

  bool in_exchange_ = false;
  // When the last begin-exchange command was carried out: the button
  // script's time zero.
  std::uint64_t exchange_began_ms_ = 0;
  BlockMode mode_ = BlockMode::kNone;
  std::uint16_t cursor_ = 0;
  std::uint16_t remaining_ = 0;
  int chunk_index_ = 0;
  int chunk_refusals_ = 0;
};

}  // namespace zelko::sim
