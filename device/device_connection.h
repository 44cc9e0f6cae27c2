// The device connection: the poll that notices a mouse being plugged in or
// removed, the search over DeviceIdTable, the identification of the mouse
// and the hand-over to the full read. What it shows of the image (the
// first factory image while no mouse is ready, the read itself) comes in as
// callbacks, so the device link does not depend on the image code.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "device/ui_port.h"

namespace zelko {

enum class ConnectionState {
  kWaiting,  // no usable mouse: first factory image shown, covered
  kOpened,   // the interface was opened; not identified or read yet
  kRefused,  // the status query refused configuration; device forgotten
  kForeign,  // the identity codes are not accepted; device stays open
  kReady,    // the mouse's image was read and is shown, uncovered
};

std::string_view ConnectionStateName(ConnectionState state);

// An accepted (manufacturer code, product code) pair.
struct IdentityCodes {
  std::uint32_t manufacturer = 0;
  std::uint32_t product = 0;
  friend bool operator==(const IdentityCodes&, const IdentityCodes&) = default;
};
using ExpectedCodes = std::array<IdentityCodes, 2>;

// True when the pair is one of the expected ones.
[[nodiscard]] bool IsAcceptedIdentity(const IdentityCodes& codes, const ExpectedCodes& expected);

// The first pair from factory image 1's bytes at 0x36/0x37, the second from
// the general layout keys Rev_Manu_ID and Rev_Pro_ID. Nothing when the
// image is too short to hold the identity bytes.
[[nodiscard]] std::optional<ExpectedCodes> MakeExpectedCodes(std::span<const std::uint8_t> factory_image_1,
                                                             std::uint32_t rev_manu_id, std::uint32_t rev_pro_id);

struct ConnectionCallbacks {
  // ReadImage: the exchange is open and the mouse accepted; read the whole
  // image, close the exchange and show it. True when the mouse's image is
  // now shown.
  std::function<bool()> read_image;
  // InitNoDevice: the first factory image into the image and shown (the
  // macro lists emptied).
  std::function<void()> init_no_device;
  // The window part of RefreshErrorAP: set the page lock, show the main
  // page, reset the page buttons.
  std::function<void()> return_to_main_page;
  // Clear the page lock of the navigation.
  std::function<void()> clear_page_lock;
  // Empty the macro step list and clear the working LED type string.
  std::function<void()> clear_working_lists;
  // Close an open pop-up menu.
  std::function<void()> close_popup_menu;
  // The two identity bytes read from the mouse (engineer fields).
  std::function<void(std::uint8_t, std::uint8_t)> show_identity;
  // Every change of state.
  std::function<void(ConnectionState)> state_changed;
};

inline constexpr std::uint32_t kDevTimerIntervalMs = 3500;
inline constexpr int kHidCountSamplePairs = 5;
inline constexpr int kStablePairsNeeded = 2;
// The wait before each open: 21 x 100 ms keeping the window alive.
inline constexpr int kOpenWaitSteps = 21;
inline constexpr std::uint32_t kOpenWaitStepMs = 100;

inline constexpr std::string_view kFindingDeviceTextId = "Str020";
inline constexpr std::string_view kConnectMouseTextId = "Str100";
inline constexpr std::string_view kConnectMouseDetailTextId = "Str101";
inline constexpr std::string_view kForeignMouseTextId = "Str107";

class DeviceConnection {
 public:
  DeviceConnection(DeviceLink& link, CommandChannel& channel, Clock& clock, UiPort& ui,
                   ExpectedCodes expected, ConnectionCallbacks callbacks);

  // The poll run by DevTimer every 3500 ms. A mouse another program was
  // talking to at the last try is identified again on the next tick.
  void DevTimerTimer();
  // Forget the device and search once.
  void ReFindDev();
  // Identify the open device and, when accepted, read it.
  void ReadDevInfo();
  // The first factory image shown.
  void InitNoDevice();
  // InitNoDevice and back to the main page.
  void RefreshErrorAP();
  // What the window does when the mouse is not found.
  void ShowNoDevice();

  ConnectionState state() const { return state_; }
  int LastHidCount() const { return last_hid_count_; }
  bool PollBusy() const { return poll_busy_; }
  const ExpectedCodes& expected_codes() const { return expected_; }
  void set_expected_codes(const ExpectedCodes& expected) { expected_ = expected; }
  // The identity bytes read last (edt_VendorID_Rd / edt_ProductID_Rd).
  std::optional<IdentityCodes> identity_read() const { return identity_read_; }

 private:
  void Search();
  void SetState(ConnectionState state);
  bool Accepted(const IdentityCodes& codes) const;

  DeviceLink& link_;
  CommandChannel& channel_;
  Clock& clock_;
  UiPort& ui_;
  ExpectedCodes expected_;
  ConnectionCallbacks callbacks_;
  ConnectionState state_ = ConnectionState::kWaiting;
  bool poll_busy_ = false;
  int last_hid_count_ = 0;
  bool searched_once_ = false;
  // The last identification found the mouse held by another program: the
  // next tick tries again, without a new search.
  bool busy_last_time_ = false;
  std::optional<IdentityCodes> identity_read_;
};

}  // namespace zelko
