#include "focus/x11_focus_source.h"

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "focus/wake_pipe.h"

namespace zelko {
namespace {

// Without a window manager the focus moves between top-level windows and
// the root hears nothing of it (X sends FocusIn/FocusOut to the two windows
// and the ones between them, never to their common ancestor); following it
// by events would mean selecting on every other client's windows. The
// thread asks for the input focus this often instead: one round trip.
constexpr int kInputFocusPollMs = 100;
// Longer properties than this are not what we read (WM_CLASS is two names).
constexpr std::uint32_t kPropertyLongs = 256;

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The property's value, or nothing when the window has none of that type
// (or is gone).
std::optional<std::string> ReadProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                        xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, kPropertyLongs), nullptr));
  if (!reply || reply->type == XCB_ATOM_NONE) return std::nullopt;
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return std::string(data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

std::optional<std::uint32_t> ReadCardinal(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                          xcb_atom_t type) {
  const auto value = ReadProperty(c, window, property, type);
  if (!value || value->size() < sizeof(std::uint32_t)) return std::nullopt;
  std::uint32_t number = 0;
  std::memcpy(&number, value->data(), sizeof number);  // format 32 arrives in the client's byte order
  return number;
}

}  // namespace

std::string ClassOfWmClass(std::string_view property) {
  const std::size_t end_of_instance = property.find('\0');
  if (end_of_instance == std::string_view::npos) return {};
  std::string_view rest = property.substr(end_of_instance + 1);
  return std::string(rest.substr(0, rest.find('\0')));
}

// Everything the reader thread owns while the source runs. Start builds it
// and Stop takes it down after the thread has ended, so no two threads use
// the connection at the same time.
struct X11FocusSource::Session {
  xcb_connection_t* connection = nullptr;
  xcb_window_t root = XCB_WINDOW_NONE;
  xcb_atom_t net_active_window = XCB_ATOM_NONE;
  xcb_atom_t net_wm_pid = XCB_ATOM_NONE;
  WakePipe wake;
  FocusCallback on_change;
  FocusEndCallback on_end;
  std::optional<FocusedApp> reported;
  bool window_manager_seen = false;  // the root held _NET_ACTIVE_WINDOW when last asked

  ~Session() {
    if (connection != nullptr) xcb_disconnect(connection);
  }

  // The top-level window that has the input focus, or none.
  xcb_window_t FocusedTopLevel() {
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus) return XCB_WINDOW_NONE;
    xcb_window_t window = focus->focus;
    // None and PointerRoot (1): no window has the focus.
    while (window != XCB_WINDOW_NONE && window != XCB_INPUT_FOCUS_POINTER_ROOT && window != root) {
      Reply<xcb_query_tree_reply_t> tree(
          xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
      if (!tree) return XCB_WINDOW_NONE;  // it went away meanwhile
      if (tree->parent == root) return window;
      window = tree->parent;
    }
    return XCB_WINDOW_NONE;
  }

  FocusedApp Current() {
    xcb_window_t window = XCB_WINDOW_NONE;
    const auto active = ReadProperty(connection, root, net_active_window, XCB_ATOM_WINDOW);
    window_manager_seen = active.has_value();
    if (active && active->size() >= sizeof window) {
      std::memcpy(&window, active->data(), sizeof window);  // format 32, in the client's byte order
    } else if (!active) {
      window = FocusedTopLevel();
    }
    FocusedApp app;
    if (window == XCB_WINDOW_NONE) return app;
    // WM_CLASS is a STRING; a client that set another type still named its class.
    const auto wm_class = ReadProperty(connection, window, XCB_ATOM_WM_CLASS, XCB_ATOM_ANY);
    if (wm_class) app.app_id = ClassOfWmClass(*wm_class);
    if (!app.app_id.empty()) app.pid = ReadCardinal(connection, window, net_wm_pid, XCB_ATOM_CARDINAL);
    return app;
  }

  void ReportCurrent() {
    const FocusedApp app = Current();
    if (reported == app) return;
    reported = app;
    on_change(app);
  }

  // Whether an event among those read asks for a new look at the focus.
  bool TakeEvents(bool from_socket) {
    bool look = false;
    for (;;) {
      xcb_generic_event_t* event =
          from_socket ? xcb_poll_for_event(connection) : xcb_poll_for_queued_event(connection);
      if (event == nullptr) return look;
      if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
        const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (property->window == root && property->atom == net_active_window) look = true;
      }
      std::free(event);
    }
  }

  // Until Stop wakes it, or the server goes away and on_end hears it.
  void Run() {
    if (Follow() || !on_end) return;
    on_end("The X server closed the connection to the display.");
  }

  // Whether Stop ended it.
  bool Follow() {
    ReportCurrent();
    pollfd fds[2] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {wake.read_fd(), POLLIN, 0}};
    for (;;) {
      const int timeout = window_manager_seen ? -1 : kInputFocusPollMs;
      const int ready = poll(fds, 2, timeout);
      if (ready < 0 && errno != EINTR) return false;
      if ((fds[1].revents & POLLIN) != 0) return true;
      bool look = TakeEvents(true) || !window_manager_seen;
      if (xcb_connection_has_error(connection) != 0) return false;
      // Replies read while looking may have queued events behind them that
      // the socket no longer announces.
      while (look) {
        ReportCurrent();
        look = TakeEvents(false);
      }
      if (xcb_connection_has_error(connection) != 0) return false;
    }
  }
};

X11FocusSource::X11FocusSource(std::string display_name) : display_name_(std::move(display_name)) {}

X11FocusSource::~X11FocusSource() { Stop(); }

std::string X11FocusSource::Describe() const {
  const char* shown = display_name_.empty() ? std::getenv("DISPLAY") : display_name_.c_str();
  return std::string("X11 display ") + (shown != nullptr ? shown : "") +
         " (the window manager's active window, or the input focus without one)";
}

bool X11FocusSource::ServerAnswers(const std::string& display_name) {
  xcb_connection_t* c = xcb_connect(display_name.empty() ? nullptr : display_name.c_str(), nullptr);
  const bool answers = xcb_connection_has_error(c) == 0;
  xcb_disconnect(c);
  return answers;
}

Status X11FocusSource::Start(FocusCallback on_change, FocusEndCallback on_end) {
  Stop();
  auto session = std::make_unique<Session>();
  if (!session->wake.ok()) return Status::Failure("No pipe for the focus source's thread.");
  int screen_number = 0;
  session->connection = xcb_connect(display_name_.empty() ? nullptr : display_name_.c_str(), &screen_number);
  if (xcb_connection_has_error(session->connection) != 0) {
    const char* shown = display_name_.empty() ? std::getenv("DISPLAY") : display_name_.c_str();
    return Status::Failure(std::string("The X display \"") + (shown != nullptr ? shown : "") +
                           "\" does not open.");
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(session->connection));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) return Status::Failure("The X display has no screen " + std::to_string(screen_number) + ".");
  session->root = screens.data->root;
  session->net_active_window = InternAtom(session->connection, "_NET_ACTIVE_WINDOW");
  session->net_wm_pid = InternAtom(session->connection, "_NET_WM_PID");
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  Reply<xcb_generic_error_t> refused(xcb_request_check(
      session->connection,
      xcb_change_window_attributes_checked(session->connection, session->root, XCB_CW_EVENT_MASK, &mask)));
  if (refused || session->net_active_window == XCB_ATOM_NONE) {
    return Status::Failure("The X server refused to report the root window's changes.");
  }
  session->on_change = std::move(on_change);
  session->on_end = std::move(on_end);
  session_ = std::move(session);
  reader_ = std::thread([session = session_.get()] { session->Run(); });
  return Status::Ok();
}

void X11FocusSource::Stop() {
  if (!session_) return;
  session_->wake.Wake();
  if (reader_.joinable()) reader_.join();
  session_.reset();
}

}  // namespace zelko
