#include "macros/x11_input_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "macros/key_press_tracker.h"
#include "macros/keysym_virtual_keys.h"

// Xlib defines Status as a macro for int; our Status is the one meant below.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#undef Status

namespace zelko {
namespace {

constexpr int kWantedXiMajor = 2;
constexpr int kWantedXiMinor = 2;
// Raw events come from the master devices too from XInput 2.1 on; before,
// only from the slave devices.
constexpr int kMasterRawEventsMinor = 1;

constexpr std::uint32_t kXButtonLeft = 1;
constexpr std::uint32_t kXButtonMiddle = 2;
constexpr std::uint32_t kXButtonRight = 3;
constexpr std::uint32_t kXButtonBack = 8;
constexpr std::uint32_t kXButtonForward = 9;

std::string DisplayLabel(const std::string& name) { return name.empty() ? "$DISPLAY" : "\"" + name + "\""; }

Display* OpenDisplay(const std::string& name) { return XOpenDisplay(name.empty() ? nullptr : name.c_str()); }

// The XInput version the server offers for our request, or nothing
// without the extension; *opcode its major opcode.
std::optional<std::pair<int, int>> XInputVersion(Display* display, int* opcode) {
  int first_event = 0;
  int first_error = 0;
  if (!XQueryExtension(display, "XInputExtension", opcode, &first_event, &first_error)) return std::nullopt;
  int major = kWantedXiMajor;
  int minor = kWantedXiMinor;
  if (XIQueryVersion(display, &major, &minor) != Success) return std::nullopt;
  return std::pair{major, minor};
}

// Xlib's default I/O error handler, called when the server goes away, ends
// the process. The capture's connections are listed here: for them the
// handler returns, and the connection's exit handler (Session) marks the
// session lost. Every other connection goes to the handler that was set.
struct IoErrorGuard {
  std::mutex mutex;
  std::set<Display*> capture_displays;
  XIOErrorHandler previous = nullptr;
};

IoErrorGuard& Guard() {
  static IoErrorGuard guard;
  return guard;
}

int OnIoError(Display* display) {
  XIOErrorHandler previous = nullptr;
  {
    std::lock_guard lock(Guard().mutex);
    if (Guard().capture_displays.contains(display)) return 0;
    previous = Guard().previous;
  }
  return previous != nullptr ? previous(display) : 0;
}

void GuardDisplay(Display* display) {
  std::lock_guard lock(Guard().mutex);
  // Set again at every start, in case a toolkit has set its own since.
  const XIOErrorHandler previous = XSetIOErrorHandler(&OnIoError);
  if (previous != &OnIoError) Guard().previous = previous;
  Guard().capture_displays.insert(display);
}

void UnguardDisplay(Display* display) {
  std::lock_guard lock(Guard().mutex);
  Guard().capture_displays.erase(display);
}

// A connection whose server went away cannot be closed: Xlib leaves it
// locked, and XCloseDisplay would wait for ever. It stays listed here, and
// guarded, and is never freed: a few hundred bytes once per lost server.
void KeepLostDisplay(Display* display) {
  static std::mutex mutex;
  static std::vector<Display*> lost;
  std::lock_guard lock(mutex);
  lost.push_back(display);
}

}  // namespace

std::optional<MacroMouseButton> MacroButtonOfXButton(std::uint32_t x_button) {
  switch (x_button) {
    case kXButtonLeft: return MacroMouseButton::kLeft;
    case kXButtonMiddle: return MacroMouseButton::kMiddle;
    case kXButtonRight: return MacroMouseButton::kRight;
    case kXButtonBack: return MacroMouseButton::kBackward;
    case kXButtonForward: return MacroMouseButton::kForward;
    default: return std::nullopt;
  }
}

// Everything the reader thread owns while a capture runs. Start builds it
// and Stop takes it down after the thread has ended, so no two threads use
// the Display at the same time.
struct X11InputCapture::Session {
  Display* display = nullptr;
  int xi_opcode = 0;
  int xkb_event_type = -1;  // the XKB extension's event type, -1 without XKB
  Atom num_lock = 0;
  int wake_read = -1;
  int wake_write = -1;
  // Set by Xlib's I/O error exit handler (the server went away): the
  // connection is unusable and the thread ends.
  bool connection_lost = false;
  InputSink sink;
  KeyPressTracker keys;
  int min_keycode = 0;
  std::vector<std::pair<Keysym, Keysym>> keysyms;  // by keycode - min_keycode

  static void OnConnectionLost(Display* /*display*/, void* session) {
    static_cast<Session*>(session)->connection_lost = true;
  }

  ~Session() {
    if (display != nullptr && connection_lost) {
      KeepLostDisplay(display);
    } else if (display != nullptr) {
      XCloseDisplay(display);
      UnguardDisplay(display);
    }
    if (wake_read >= 0) close(wake_read);
    if (wake_write >= 0) close(wake_write);
  }

  void LoadKeyboardMapping() {
    int min_keycode_x = 0;
    int max_keycode_x = 0;
    XDisplayKeycodes(display, &min_keycode_x, &max_keycode_x);
    min_keycode = min_keycode_x;
    const int count = max_keycode_x - min_keycode_x + 1;
    keysyms.assign(static_cast<std::size_t>(count > 0 ? count : 0), {0, 0});
    if (count <= 0) return;
    int per_keycode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(min_keycode_x), count, &per_keycode);
    if (map == nullptr) return;
    for (int i = 0; i < count && per_keycode > 0; ++i) {
      const KeySym* row = map + static_cast<std::ptrdiff_t>(i) * per_keycode;
      keysyms[static_cast<std::size_t>(i)] = {static_cast<Keysym>(row[0]),
                                              per_keycode > 1 ? static_cast<Keysym>(row[1]) : 0};
    }
    XFree(map);
  }

  bool NumLockOn() {
    int index = 0;
    Bool on = True;
    XkbIndicatorMapRec map{};
    Bool real = False;
    if (num_lock == 0 || !XkbGetNamedIndicator(display, num_lock, &index, &on, &map, &real)) return true;
    return on != False;
  }

  int VirtualKeyOfKeycode(std::uint32_t keycode) {
    const long long slot = static_cast<long long>(keycode) - min_keycode;
    if (slot < 0 || slot >= static_cast<long long>(keysyms.size())) return 0;
    const auto [unshifted, shifted] = keysyms[static_cast<std::size_t>(slot)];
    // Only a pad key asks the server for Num Lock: one round trip.
    const bool num_lock_on = IsKeypadKeysym(unshifted) ? NumLockOn() : true;
    return VirtualKeyOfKey(keycode, unshifted, shifted, num_lock_on);
  }

  void Deliver(std::optional<TrackedKeyEvent> key) {
    if (key && sink.key) sink.key(key->virtual_key, key->state);
  }
  void Deliver(std::uint32_t x_button, bool pressed) {
    if (const auto button = MacroButtonOfXButton(x_button); button && sink.button) sink.button(*button, pressed);
  }

  // A new layout (setxkbmap, a desktop's layout switch) comes as an XKB
  // event to XKB clients, which Xlib makes every connection; older servers
  // send the core MappingNotify.
  void SelectLayoutChanges() {
    int opcode = 0;
    int event_type = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event_type, &error, &major, &minor)) return;
    xkb_event_type = event_type;
    const unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(display, XkbUseCoreKbd, changes, changes);
  }

  void Handle(XEvent& event) {
    if (xkb_event_type >= 0 && event.type == xkb_event_type) {
      const auto* xkb = reinterpret_cast<const XkbAnyEvent*>(&event);
      if (xkb->xkb_type == XkbNewKeyboardNotify || xkb->xkb_type == XkbMapNotify) LoadKeyboardMapping();
      return;
    }
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      if (event.xmapping.request == MappingKeyboard) LoadKeyboardMapping();
      return;
    }
    if (event.type != GenericEvent || event.xcookie.extension != xi_opcode) return;
    if (!XGetEventData(display, &event.xcookie)) return;
    const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
    const auto detail = static_cast<std::uint32_t>(raw->detail);
    switch (event.xcookie.evtype) {
      case XI_RawKeyPress: Deliver(keys.Down(detail, VirtualKeyOfKeycode(detail))); break;
      case XI_RawKeyRelease: Deliver(keys.Up(detail)); break;
      case XI_RawButtonPress: Deliver(detail, true); break;
      case XI_RawButtonRelease: Deliver(detail, false); break;
      default: break;
    }
    XFreeEventData(display, &event.xcookie);
  }

  // Reads events until Stop writes to the wake pipe or the server goes
  // away; between events it sleeps in poll.
  void Run() {
    const int x_fd = ConnectionNumber(display);
    for (;;) {
      while (!connection_lost && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (!connection_lost) Handle(event);
      }
      if (connection_lost) return;
      pollfd fds[2] = {{x_fd, POLLIN, 0}, {wake_read, POLLIN, 0}};
      if (poll(fds, 2, -1) < 0 && errno != EINTR) return;
      if (fds[1].revents != 0) return;
    }
  }
};

X11InputCapture::X11InputCapture(std::string display_name) : display_name_(std::move(display_name)) {}

X11InputCapture::~X11InputCapture() { Stop(); }

bool X11InputCapture::Available(const std::string& display_name) {
  Display* display = OpenDisplay(display_name);
  if (display == nullptr) return false;
  int opcode = 0;
  const auto version = XInputVersion(display, &opcode);
  XCloseDisplay(display);
  return version && version->first >= 2;
}

Status X11InputCapture::Start(InputSink sink) {
  Stop();
  auto session = std::make_unique<Session>();
  session->display = OpenDisplay(display_name_);
  if (session->display == nullptr) {
    return Status::Failure("The X display " + DisplayLabel(display_name_) + " does not open.");
  }
  GuardDisplay(session->display);
  XSetIOErrorExitHandler(session->display, &Session::OnConnectionLost, session.get());
  const auto version = XInputVersion(session->display, &session->xi_opcode);
  if (!version || version->first < 2) {
    return Status::Failure("The X display " + DisplayLabel(display_name_) + " has no XInput 2.");
  }
  int wake[2] = {-1, -1};
  if (pipe2(wake, O_CLOEXEC) != 0) return Status::Failure("No pipe for the input capture's thread.");
  session->wake_read = wake[0];
  session->wake_write = wake[1];

  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XIEventMask mask;
  mask.deviceid = version->second >= kMasterRawEventsMinor ? XIAllMasterDevices : XIAllDevices;
  mask.mask_len = sizeof bits;
  mask.mask = bits;
  XISelectEvents(session->display, DefaultRootWindow(session->display), &mask, 1);
  session->num_lock = XInternAtom(session->display, "Num Lock", True);
  session->SelectLayoutChanges();
  session->LoadKeyboardMapping();
  // The selection is in force before Start returns: every event after it
  // reaches the sink.
  XSync(session->display, False);
  if (session->connection_lost) return Status::Failure("The X display " + DisplayLabel(display_name_) + " went away.");

  session->sink = std::move(sink);
  session_ = std::move(session);
  reader_ = std::thread([session = session_.get()] { session->Run(); });
  return Status::Ok();
}

void X11InputCapture::Stop() {
  if (!session_) return;
  if (reader_.joinable()) {
    const char wake = 1;
    while (write(session_->wake_write, &wake, 1) < 0 && errno == EINTR) {
    }
    reader_.join();
  }
  session_.reset();
}

}  // namespace zelko
