// The window's side of the core's flows. The core (device link, image
// flows, connection logic) never talks to a window; it calls this port. The
// GUI and the command line are two adapters of it; tests use a recording
// fake. Every method has a do-nothing default so an adapter overrides only
// what it shows.
#pragma once
#include <string_view>

namespace zelko {

class UiPort {
 public:
  virtual ~UiPort() = default;

  // The progress window: centred over the main window and shown before
  // every chunk of a transfer. `done` chunks of `total` have travelled.
  virtual void ShowProgress(int /*done*/, int /*total*/) {}
  virtual void HideProgress() {}

  // "Let the GUI process its pending messages" during long work.
  virtual void ProcessMessages() {}

  // The covering labels that block clicks while no mouse is ready or a
  // transfer runs (ShowDisableAll / HideDisableAll).
  virtual void ShowDisableAll() {}
  virtual void HideDisableAll() {}

  // A fixed text of the language pack by id ("Str020"), shown in the
  // program's message dialog with one OK button. Returns when dismissed.
  virtual void ShowMessage(std::string_view /*textId*/) {}
  // Two texts in one message dialog: the first, two carriage returns, the
  // second (Str100 and Str101 when no mouse is found).
  virtual void ShowMessagePair(std::string_view first, std::string_view /*second*/) {
    ShowMessage(first);
  }

  // The device poll timer (DevTimer, 3500 ms).
  virtual void StartPollTimer() {}
  virtual void StopPollTimer() {}

  // Redraw every page from the working record after it changed.
  virtual void RedrawFromRecord() {}
};

// A port that shows nothing; for callers that have no window.
UiPort& NullUiPort();

}  // namespace zelko
