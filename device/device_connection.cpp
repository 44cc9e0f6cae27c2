#include "device/device_connection.h"

#include "device/protocol_layout.h"
#include "device/supported_ids.h"

namespace zelko {
namespace {

template <typename Callback, typename... Args>
void Run(const Callback& callback, Args&&... args) {
  if (callback) callback(std::forward<Args>(args)...);
}

}  // namespace

std::string_view ConnectionStateName(ConnectionState state) {
  switch (state) {
    case ConnectionState::kWaiting: return "Waiting";
    case ConnectionState::kOpened: return "Opened";
    case ConnectionState::kRefused: return "Refused";
    case ConnectionState::kForeign: return "Foreign";
    case ConnectionState::kReady: return "Ready";
  }
  return "?";
}

std::optional<ExpectedCodes> MakeExpectedCodes(std::span<const std::uint8_t> factory_image_1,
                                               std::uint32_t rev_manu_id,
                                               std::uint32_t rev_pro_id) {
  if (factory_image_1.size() < kIdentityAddress + kIdentityLength) return std::nullopt;
  return ExpectedCodes{{
      {factory_image_1[kIdentityAddress], factory_image_1[kIdentityAddress + 1]},
      {rev_manu_id, rev_pro_id},
  }};
}

DeviceConnection::DeviceConnection(DeviceLink& link, CommandChannel& channel, Clock& clock,
                                   UiPort& ui, ExpectedCodes expected,
                                   ConnectionCallbacks callbacks)
    : link_(link),
      channel_(channel),
      clock_(clock),
      ui_(ui),
      expected_(expected),
      callbacks_(std::move(callbacks)) {}

void DeviceConnection::SetState(ConnectionState state) {
  if (state == state_) return;
  state_ = state;
  Run(callbacks_.state_changed, state);
}

bool IsAcceptedIdentity(const IdentityCodes& codes, const ExpectedCodes& expected) {
  return codes == expected[0] || codes == expected[1];
}

bool DeviceConnection::Accepted(const IdentityCodes& codes) const {
  return IsAcceptedIdentity(codes, expected_);
}

void DeviceConnection::DevTimerTimer() {
  if (poll_busy_) return;
  poll_busy_ = true;
  int stable_pairs = 0;
  int count = 0;
  for (int pair = 0; pair < kHidCountSamplePairs; ++pair) {
    const int a = link_.CountHidDevices();
    const int b = link_.CountHidDevices();
    if (a == b) ++stable_pairs;
    count = a;
  }
  // The first settled tick always searches, even when no interface can be
  // opened at all (a PC without HID devices, or a Linux user without access
  // to the hidraw nodes): the user then hears that no mouse was found
  // instead of facing a covered window without a word.
  if ((count != last_hid_count_ || !searched_once_) && stable_pairs >= kStablePairsNeeded) {
    Search();
    searched_once_ = true;
    last_hid_count_ = count;
  } else if (busy_last_time_ && link_.IsOpen()) {
    ReadDevInfo();
  }
  poll_busy_ = false;
}

void DeviceConnection::Search() {
  auto& state = link_.state();
  for (const DeviceIdentity& entry : state.DeviceIdTable) {
    if (!entry.searchable()) continue;
    for (int i = 0; i < kOpenWaitSteps; ++i) {
      clock_.SleepMs(kOpenWaitStepMs);
      ui_.ProcessMessages();
    }
    state.DeviceVersion = kSupportedDeviceVersion;
    if (link_.OpenHidDevice(entry.vendor_id, entry.product_id, state.DeviceVersion)) {
      state.DeviceVendorId = entry.vendor_id;
      state.DeviceProductId = entry.product_id;
      SetState(ConnectionState::kOpened);
      ReadDevInfo();
      return;
    }
  }
  ShowNoDevice();
}

void DeviceConnection::ReFindDev() {
  Run(callbacks_.clear_working_lists);
  link_.state().DeviceVendorId = 0;
  link_.state().DeviceProductId = 0;
  link_.ForgetDevice();
  Search();
}

void DeviceConnection::ReadDevInfo() {
  const ExchangeResult exchange = channel_.BeginExchange();
  busy_last_time_ = exchange.state == ExchangeState::kMouseBusy;
  // No answer, or another program is talking to it: stays open, nothing
  // shown (a busy mouse is tried again on the next tick).
  if (!exchange.needs_closing_pair()) return;

  if (!exchange.configurable()) {
    // The mouse is forgotten either way; the closing pair is a courtesy.
    (void)channel_.EndExchange();
    link_.ForgetDevice();
    SetState(ConnectionState::kRefused);
    ui_.ShowMessage(kFindingDeviceTextId);
    ui_.StartPollTimer();
    return;
  }

  std::array<std::uint8_t, kIdentityLength> identity{};
  // An unanswered read leaves 0xFF 0xFF, which is then compared like any
  // other pair: only the bytes decide.
  (void)channel_.ReadBlock(kIdentityAddress, kIdentityLength, identity);
  const IdentityCodes codes{identity[0], identity[1]};
  identity_read_ = codes;
  Run(callbacks_.show_identity, identity[0], identity[1]);

  if (Accepted(codes)) {
    if (callbacks_.read_image && callbacks_.read_image()) SetState(ConnectionState::kReady);
    return;
  }
  ui_.StopPollTimer();
  // The mouse is refused either way; the closing pair is a courtesy.
  (void)channel_.EndExchange();
  SetState(ConnectionState::kForeign);
  ui_.ShowMessage(kForeignMouseTextId);
  ui_.StartPollTimer();
}

void DeviceConnection::InitNoDevice() { Run(callbacks_.init_no_device); }

void DeviceConnection::RefreshErrorAP() {
  InitNoDevice();
  Run(callbacks_.return_to_main_page);
}

void DeviceConnection::ShowNoDevice() {
  Run(callbacks_.close_popup_menu);
  Run(callbacks_.clear_page_lock);
  RefreshErrorAP();
  Run(callbacks_.clear_working_lists);
  ui_.ShowDisableAll();
  ui_.StartPollTimer();
  SetState(ConnectionState::kWaiting);
  ui_.ShowMessagePair(kConnectMouseTextId, kConnectMouseDetailTextId);
}

}  // namespace zelko
