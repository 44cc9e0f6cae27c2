// A main window for tests: messages recorded instead of shown, virtual time
// for every pause, the poll run by hand.
#pragma once
#include <QStringList>
#include <memory>

#include "base/clock.h"
#include "shell/main_window.h"
#include "shell/message_presenter.h"
#include "pointer/fake_pointer_store.h"

namespace zelko::test {

class RecordingPresenter final : public MessagePresenter {
 public:
  struct Shown {
    QString text;
    MessageKind kind;
  };
  void Show(QWidget*, const QString& text, MessageKind kind, const QString&, const QString&) override {
    shown.push_back({text, kind});
  }
  QStringList texts() const {
    QStringList out;
    for (const auto& s : shown) out << s.text;
    return out;
  }
  std::vector<Shown> shown;
};

struct WindowFixture {
  explicit WindowFixture(DeviceChoice device) {
    WindowServices services;
    services.messages = &messages;
    services.clock = &clock;
    services.device = std::move(device);
    services.runPollTimer = false;
    services.openAddress = [this](const QString& address) { opened << address; };
    services.pointerStore = &pointerStore;
    window = std::make_unique<MainWindow>(std::move(services));
  }

  static DeviceChoice SimulatedMouse(sim::SimFaults faults = {}) {
    DeviceChoice choice;
    choice.simulate = true;
    choice.faults = faults;
    return choice;
  }
  static DeviceChoice NoMouse() {
    DeviceChoice choice;
    choice.simulate = true;
    choice.simulateAbsent = true;
    return choice;
  }

  VirtualClock clock;
  FakePointerStore pointerStore;
  RecordingPresenter messages;
  QStringList opened;
  std::unique_ptr<MainWindow> window;
};

}  // namespace zelko::test
