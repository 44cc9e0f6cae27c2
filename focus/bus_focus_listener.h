// The switcher's end on the session bus, shared by the GNOME Shell and KWin
// sources: it owns org.zelko77.Focus, answers FocusChanged on
// /org/zelko77/Focus (focus/focus_names.h) and hands each change to the
// callback on a thread of its own.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "focus/focus_source.h"
#include "focus/session_bus.h"
#include "focus/wake_pipe.h"

namespace zelko {

class BusFocusListener {
 public:
  // bus_address as OpenSessionBus takes it.
  explicit BusFocusListener(std::string bus_address);
  ~BusFocusListener();
  BusFocusListener(const BusFocusListener&) = delete;
  BusFocusListener& operator=(const BusFocusListener&) = delete;

  // Connects and claims the name with its object. Calls that arrive before
  // Start wait on the connection.
  Status Open();
  // The connection, for the desktop's own calls: between Open and Close,
  // while no thread runs.
  sd_bus* bus() const { return bus_.get(); }
  // Reads the bus on a thread of its own until Stop.
  Status Start(FocusCallback on_change, FocusEndCallback on_end);
  // Ends the thread; the connection stays open.
  void Stop();
  // Gives the name up and closes the connection.
  void Close();

 private:
  static int OnMessage(sd_bus_message* message, void* listener, sd_bus_error* error);
  void Run();
  bool Follow();

  std::string bus_address_;
  BusPtr bus_;
  sd_bus_slot* object_ = nullptr;
  std::unique_ptr<WakePipe> wake_;
  FocusCallback on_change_;
  FocusEndCallback on_end_;
  std::optional<FocusedApp> reported_;
  std::thread reader_;
};

}  // namespace zelko
