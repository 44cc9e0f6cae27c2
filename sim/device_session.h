// The one way both programs reach the mouse, real or simulated.
//
//   auto setup = sim::ReadDeviceRequest(request);        // bad input: exit 5
//   if (!setup) { print setup.error(); return 5; }
//   auto session = sim::OpenDeviceSession(std::move(*setup), clock);
//   if (!session) { print session.error(); return 2; }  // no HID backend
//   DeviceLink& link = (*session)->link();
//   ... a CommandChannel over link() and clock(), the connection logic ...
//   if (const Status saved = (*session)->Finish(); !saved) print saved.error();
//
// zelko77ctl (cli/device_session.h) and zelko77 (shell/device_session.h)
// both take the user's choice as typed (--device, --simulate[=FILE],
// --sim-*; sim/sim_option_flags.h adds them to a command line) and go
// through these two steps, so they refuse the same input with the same
// words. The memory file is read once, before anything is opened; a file
// that cannot be used is refused and never written.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/result.h"
#include "device/device_link.h"
#include "device/exchange_lock.h"
#include "device/hid_transport.h"
#include "sim/shared_memory_file.h"
#include "sim/sim_options.h"
#include "sim/simulated_mouse.h"

namespace zelko::sim {

// Not on any command line: a test that runs a program's commands
// in-process follows each simulated mouse a session makes. `started` sees
// it before its first report (to give it faults); `ended` when the session
// ends, with the clock it ran on (what it holds, what it carried out, how
// long it took).
struct SimMouseWatch {
  std::function<void(SimulatedMouse&, Clock&)> started;
  std::function<void(const SimulatedMouse&, const Clock&)> ended;
};

// The user's choice of mouse, as typed.
struct DeviceRequest {
  std::string device;         // --device VID:PID; empty: the supported mouse
  bool simulate = false;      // --simulate
  std::string simulate_file;  // --simulate=FILE: the simulated memory kept in FILE
  SimOptionTexts sim;         // --sim-*
  SimMouseWatch watch;
};

// The choice checked: everything the session is built from.
struct DeviceSetup {
  DeviceIdentity identity{SupportedVendorId, SupportedProductId};
  bool simulate = false;
  SimFaults faults;
  // With --simulate: true runs the simulated mouse and the protocol on a
  // virtual clock of the session's own (--sim-virtual-time).
  bool virtual_time = false;
  // The file the simulated memory is kept in (empty: none) and what it held
  // (nothing: it does not exist yet; the mouse starts from factory image 1).
  std::string memory_file;
  std::optional<DeviceMemory> memory;
  // Not on any command line: the simulated mouse is not plugged in, another
  // maker's keyboard is (tests of the window's "no mouse" state).
  bool simulate_absent = false;
  SimMouseWatch watch;
};

// Checks --device and the --sim-* texts and reads the memory file. Every
// failure is bad input (both programs exit 5), in words for the user.
Result<DeviceSetup> ReadDeviceRequest(const DeviceRequest& request);

// --device alone: the supported mouse when `text` is empty.
Result<DeviceIdentity> ReadDeviceIdentity(const std::string& text);

// Makes the platform's transport; null when the platform has none.
using PlatformTransportMaker = std::function<std::unique_ptr<HidTransport>()>;

class DeviceSession;

// The lock every exchange with the chosen mouse runs under: the real
// mouse's node lock, the memory file's with --simulate=FILE, none for a
// simulated mouse of this program's own.
std::unique_ptr<ExchangeLock> MakeExchangeLock(const DeviceSetup& setup);

// The transport the setup asks for: the simulated mouse, or the platform's
// (made by `make`; CreatePlatformTransport unless a test hands in another).
// Fails only when the platform has no HID backend (both programs exit 2,
// no mouse).
Result<std::unique_ptr<DeviceSession>> OpenDeviceSession(DeviceSetup setup, Clock& clock,
                                                         const PlatformTransportMaker& make = {});

class DeviceSession {
 public:
  // A session not finished saves nothing.
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // The clock to pace the protocol with: the one handed to
  // OpenDeviceSession, or the session's virtual clock (--sim-virtual-time).
  // The simulated mouse's latency runs on it too.
  Clock& clock() { return clock_; }
  HidTransport& transport() { return *transport_; }
  // The link over the transport, searching for setup().identity. Not open
  // yet: the caller opens it (at once or from the poll).
  DeviceLink& link() { return *link_; }
  const DeviceSetup& setup() const { return setup_; }
  // The simulated mouse, or null on a real one.
  SimulatedMouse* simulated_mouse() { return mouse_.get(); }
  // The lock for the channel's exchanges (CommandChannel::UseExchangeLock);
  // null when nobody else can reach this mouse.
  ExchangeLock* exchange_lock() { return exchange_lock_.get(); }

  // Ends the session: the interface is released and, with a memory file,
  // the simulated memory is saved to it unless the file holds it already
  // (every exchange saves it at its end; a missing file is created).
  [[nodiscard]] Status Finish();

 private:
  friend Result<std::unique_ptr<DeviceSession>> OpenDeviceSession(DeviceSetup setup, Clock& clock,
                                                                  const PlatformTransportMaker& make);
  DeviceSession(DeviceSetup setup, Clock& clock);

  DeviceSetup setup_;
  VirtualClock virtual_clock_;
  Clock& clock_;
  std::unique_ptr<SimulatedMouse> mouse_;
  std::unique_ptr<SharedMemoryFile> shared_file_;
  std::unique_ptr<ExchangeLock> exchange_lock_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<DeviceLink> link_;
};

}  // namespace zelko::sim
