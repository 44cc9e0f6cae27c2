// The one way both programs reach the mouse, real or simulated: the choice
// of transport (the platform's HID backend or the simulated mouse) is made
// here and nowhere else.
//
//   auto setup = session::ReadDeviceRequest(request);        // bad input: exit 5
//   if (!setup) { print setup.error(); return 5; }
//   auto session = session::OpenDeviceSession(std::move(*setup), clock);
//   if (!session) { print session.error(); return 2; }  // no HID backend
//   DeviceLink& link = (*session)->link();
//   ... a CommandChannel over link() and clock(), the connection logic ...
//   if (const Status saved = (*session)->Finish(); !saved) print saved.error();
//
// zelko77ctl and zelko77 both take the user's choice as typed (--device,
// --simulate[=FILE], --sim-*; session/device_option_flags.h adds them to a
// command line) and go through these two steps, so they refuse the same input with the same
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
#include "device/hid_transport.h"
#include "device/replay_transport.h"
#include "device/traffic_log.h"
#include "device/traffic_record.h"
#include "sim/sim_options.h"
#include "sim/simulated_mouse.h"

namespace zelko::session {

using sim::DeviceMemory;
using sim::SimFaults;
using sim::SimOptionTexts;
using sim::SimulatedMouse;

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
  std::string record_traffic;  // --record-traffic FILE
  std::string replay;          // --replay FILE
  bool replay_lenient = false; // --replay-lenient
  std::string program;         // the program's name in a recording's header
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
  // --record-traffic: the file every exchange is recorded in (made when the
  // options were read), and the recording's header.
  std::shared_ptr<TrafficLog> traffic_log;
  TrafficHeader traffic_header;
  // --replay: the recording the mouse answers from (on the session's
  // virtual clock); strict unless --replay-lenient.
  std::optional<Recording> replay;
  bool replay_lenient = false;
};

// Checks --device and the --sim-* texts and reads the memory file. Every
// failure is bad input (both programs exit 5), in words for the user.
Result<DeviceSetup> ReadDeviceRequest(const DeviceRequest& request);

// --device alone: the supported mouse when `text` is empty.
Result<DeviceIdentity> ReadDeviceIdentity(const std::string& text);

// Makes the platform's transport; null when the platform has none.
using PlatformTransportMaker = std::function<std::unique_ptr<HidTransport>()>;

class DeviceSession;

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
  HidTransport& transport() { return recording_transport_ ? *recording_transport_ : *transport_; }
  // The link over the transport, searching for setup().identity. Not open
  // yet: the caller opens it (at once or from the poll).
  DeviceLink& link() { return *link_; }
  const DeviceSetup& setup() const { return setup_; }
  // The simulated mouse, or null on a real one.
  SimulatedMouse* simulated_mouse() { return mouse_.get(); }
  // A strict replay's first difference from its recording (after Finish,
  // also the requests the program left out), in words; nothing otherwise.
  std::optional<std::string> ReplayDifference() const;
  // `say` hears a strict replay's difference as soon as it happens.
  void OnReplayDifference(std::function<void(const std::string&)> say);

  // Ends the session: the interface is released and, with a memory file,
  // the simulated memory is saved to it (a missing file is created). A
  // later call (a window closed again) saves what the mouse holds then.
  [[nodiscard]] Status Finish();

 private:
  friend Result<std::unique_ptr<DeviceSession>> OpenDeviceSession(DeviceSetup setup, Clock& clock,
                                                                  const PlatformTransportMaker& make);
  DeviceSession(DeviceSetup setup, Clock& clock);

  DeviceSetup setup_;
  VirtualClock virtual_clock_;
  Clock& clock_;
  std::unique_ptr<SimulatedMouse> mouse_;
  std::unique_ptr<HidTransport> transport_;
  ReplayTransport* replay_ = nullptr;                 // in transport_, when it is a strict replay
  std::unique_ptr<HidTransport> recording_transport_; // over transport_, with --record-traffic
  std::unique_ptr<DeviceLink> link_;
};

}  // namespace zelko::session
