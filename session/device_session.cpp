#include "session/device_session.h"

#include "base/build_info.h"
#include "device/identity_text.h"
#include "device/platform_transport.h"
#include "device/recording_transport.h"
#include "sim/factory_memory.h"
#include "sim/sim_memory_file.h"
#include "sim/recorded_sim.h"
#include "sim/sim_transport.h"

namespace zelko::session {

using sim::SimInterface;
using sim::SimTransport;
namespace {

// What the simulator shows when the mouse is "not plugged in": a keyboard
// of another maker, so that the poll sees a device, but not the mouse.
const SimInterface kOtherMakersKeyboard{"sim:other/keyboard", HidAttributes{0x046D, 0xC31C, 0x0110}, 9,
                                        false};

}  // namespace

Result<DeviceIdentity> ReadDeviceIdentity(const std::string& text) {
  if (text.empty()) return DeviceIdentity{SupportedVendorId, SupportedProductId};
  const auto identity = ParseDeviceIdentity(text);
  if (!identity) {
    return Result<DeviceIdentity>::Failure("--device: '" + text +
                                           "' is not VID:PID in hexadecimal (e.g. 3151:7707)");
  }
  return *identity;
}

// --record-traffic, --replay and --replay-lenient.
Status ReadTrafficRequest(const DeviceRequest& request, DeviceSetup& setup) {
  if (request.replay_lenient && request.replay.empty()) return Status::Failure("--replay-lenient needs --replay FILE");
  if (!request.replay.empty()) {
    if (request.simulate) return Status::Failure("--replay and --simulate choose two different mice; give one");
    auto recording = ReadRecordingFile(request.replay);
    if (!recording) return Status::Failure("--replay: " + recording.error());
    setup.replay = std::move(*recording);
    setup.replay_lenient = request.replay_lenient;
    setup.virtual_time = true;  // a replay never waits for real
  }
  if (!request.record_traffic.empty()) {
    if (request.record_traffic == request.replay) {
      return Status::Failure("--record-traffic: " + request.record_traffic + " is the recording being replayed");
    }
    auto log = TrafficLog::Create(request.record_traffic, DefaultClock());
    if (!log) return Status::Failure("--record-traffic: " + log.error());
    setup.traffic_log = std::move(*log);
    setup.traffic_header.program = request.program.empty() ? "zelko77" : request.program;
    setup.traffic_header.program_version = std::string(ProgramVersion());
    setup.traffic_header.platform = PlatformName();
  }
  return Status::Ok();
}

Result<DeviceSetup> ReadDeviceRequest(const DeviceRequest& request) {
  DeviceSetup setup;
  const auto identity = ReadDeviceIdentity(request.device);
  if (!identity) return Result<DeviceSetup>::Failure(identity.error());
  setup.identity = *identity;
  // A malformed knob is refused with or without --simulate: a typo should
  // not pass unnoticed.
  sim::SimOptionsResult faults = sim::ParseSimOptions(request.sim);
  if (!faults.ok()) return Result<DeviceSetup>::Failure(faults.error);
  setup.faults = std::move(faults.faults);
  setup.simulate = request.simulate;
  if (const Status traffic = ReadTrafficRequest(request, setup); !traffic) {
    return Result<DeviceSetup>::Failure(traffic.error());
  }
  if (!request.simulate) return setup;
  setup.watch = request.watch;

  setup.virtual_time = request.sim.virtual_time;
  setup.memory_file = request.simulate_file;
  if (!setup.memory_file.empty()) {
    auto memory = sim::LoadMemoryFile(setup.memory_file);
    if (!memory) {
      return Result<DeviceSetup>::Failure("--simulate: " + memory.error() +
                                          "; the file is left as it is (name a new file to start "
                                          "from the factory image)");
    }
    setup.memory = *memory;
  }
  return setup;
}

DeviceSession::DeviceSession(DeviceSetup setup, Clock& clock)
    : setup_(std::move(setup)),
      clock_((setup_.simulate || setup_.replay) && setup_.virtual_time ? static_cast<Clock&>(virtual_clock_)
                                                                      : clock) {}

DeviceSession::~DeviceSession() {
  // Unfinished: nothing is saved (a session abandoned on an error must not
  // write the memory file); the interface is released all the same.
  if (link_) link_->ForgetDevice();
  if (mouse_ && setup_.watch.ended) setup_.watch.ended(*mouse_, clock_);
}

std::optional<std::string> DeviceSession::ReplayDifference() const {
  if (!replay_ || !replay_->divergence()) return std::nullopt;
  return replay_->divergence()->Text();
}

void DeviceSession::OnReplayDifference(std::function<void(const std::string&)> say) {
  if (!replay_) return;
  replay_->OnDivergence([say = std::move(say)](const ReplayDivergence& difference) { say(difference.Text()); });
}

Status DeviceSession::Finish() {
  link_->ForgetDevice();
  if (replay_) replay_->CheckFinished();
  if (setup_.traffic_log) (void)setup_.traffic_log->Flush();
  if (!mouse_ || setup_.memory_file.empty()) return Status::Ok();
  return sim::SaveMemoryFile(setup_.memory_file, mouse_->memory());
}

Result<std::unique_ptr<DeviceSession>> OpenDeviceSession(DeviceSetup setup, Clock& clock,
                                                         const PlatformTransportMaker& make) {
  std::unique_ptr<DeviceSession> session(new DeviceSession(std::move(setup), clock));
  const DeviceSetup& s = session->setup_;
  if (s.replay && !s.replay_lenient) {
    auto replay = std::make_unique<ReplayTransport>(*s.replay);
    session->replay_ = replay.get();
    session->transport_ = std::move(replay);
  } else if (s.replay) {
    // Lenient: a simulated mouse made from what the recording implies.
    const RecordedMouse recorded = ReconstructMouse(*s.replay);
    session->mouse_ = sim::MouseFromRecording(session->clock_, recorded);
    session->transport_ = std::make_unique<SimTransport>(*session->mouse_, sim::RecordedInterfaces(recorded));
  } else if (s.simulate) {
    // The identity knob wins over what the memory file holds (the mouse
    // applies it over the memory it starts with).
    session->mouse_ =
        std::make_unique<SimulatedMouse>(session->clock_, s.memory ? *s.memory : sim::FactoryMemory(), s.faults);
    session->transport_ =
        s.simulate_absent
            ? std::make_unique<SimTransport>(*session->mouse_, std::vector<SimInterface>{kOtherMakersKeyboard})
            : std::make_unique<SimTransport>(*session->mouse_);
  } else {
    session->transport_ = make ? make() : CreatePlatformTransport();
    if (!session->transport_) {
      return Result<std::unique_ptr<DeviceSession>>::Failure(
          "this platform has no HID support; use --simulate to try the simulated mouse");
    }
  }
  if (s.traffic_log) {
    session->recording_transport_ = std::make_unique<RecordingTransport>(*session->transport_, *s.traffic_log,
                                                                         session->clock_, s.traffic_header);
  }
  session->link_ = std::make_unique<DeviceLink>(session->transport(), s.identity);
  if (session->mouse_ && s.watch.started) s.watch.started(*session->mouse_, session->clock_);
  return session;
}

}  // namespace zelko::session
