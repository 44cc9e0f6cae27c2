// A main window for tests: messages recorded instead of shown, virtual time
// for every pause, the poll run by hand.
#pragma once
#include <QStringList>
#include <QTest>
#include <QTemporaryDir>
#include <memory>

#include "base/clock.h"
#include "macros/fake_input_capture.h"
#include "macros/library_file.h"
#include "shell/main_window.h"
#include "shell/message_presenter.h"
#include "shell/profile_dialogs.h"
#include "pointer/fake_pointer_store.h"
#include "session/device_session.h"

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

// The profile file dialogs answered by the test: a name, or nothing for
// Cancel; the replace question answered with `replace`.
class ScriptedProfileDialogs final : public ProfileDialogs {
 public:
  std::optional<QString> SaveFileName(QWidget*, const QString& filter) override {
    filters << filter;
    return saveName;
  }
  std::optional<QString> OpenFileName(QWidget*, const QString& filter) override {
    filters << filter;
    return openName;
  }
  bool ConfirmReplace(QWidget*, const QString& path) override {
    replaceAsked << path;
    return replace;
  }
  UnappliedChoice AskAboutUnappliedEdits(QWidget*, const UnappliedQuestion& question) override {
    unappliedAsked << question.text;
    return unapplied;
  }
  std::optional<QString> saveName;
  std::optional<QString> openName;
  bool replace = true;
  UnappliedChoice unapplied = UnappliedChoice::kCancel;
  QStringList unappliedAsked;
  QStringList filters;
  QStringList replaceAsked;
};

struct WindowFixture {
  // The simulated mouse's session is made on the fixture's clock by the
  // factory both programs use.
  // `library`: the macro library file holds it when the window starts
  // (without it, the window makes the file from the built-in library).
  // The recorder hears a capture the test drives (`inputCapture`), or with
  // kWindowOnly no capture: what reaches the window.
  // `sharedClock`: the window and the mouse run on it instead of `clock`
  // (a test with the key test's worker thread).
  enum class Capture { kFake, kWindowOnly };
  explicit WindowFixture(session::DeviceSetup device, const PCMacroLibrary* library = nullptr,
                         Capture capture = Capture::kFake, Clock* sharedClock = nullptr) {
    Clock& windowClock = sharedClock ? *sharedClock : clock;
    WindowServices services;
    services.messages = &messages;
    services.clock = &windowClock;
    services.profileDialogs = &dialogs;
    auto session = session::OpenDeviceSession(std::move(device), windowClock);
    if (!session) qFatal("WindowFixture: %s", session.error().c_str());
    services.device = std::move(*session);
    services.runPollTimer = false;
    services.openAddress = [this](const QString& address) { opened << address; };
    services.pointerStore = &pointerStore;
    services.openInputCapture = [this, capture]() -> std::unique_ptr<InputCapture> {
      if (capture == Capture::kWindowOnly) return nullptr;
      auto fake = std::make_unique<FakeInputCapture>();
      inputCapture = fake.get();
      return fake;
    };
    // The macro library is made from the built-in one in a folder of the
    // test's own.
    services.macroLibraryFile = dataDir.filePath(QStringLiteral("ZELKO77-Macro.bin")).toStdString();
    services.backupFolder = dataDir.filePath(QStringLiteral("backups")).toStdString();
    if (library && !SaveLibraryFile(services.macroLibraryFile, *library)) qFatal("WindowFixture: no library file");
    window = std::make_unique<MainWindow>(std::move(services));
  }

  static session::DeviceSetup SimulatedMouse(sim::SimFaults faults = {}) {
    session::DeviceSetup setup;
    setup.simulate = true;
    setup.faults = std::move(faults);
    return setup;
  }
  static session::DeviceSetup NoMouse() {
    session::DeviceSetup setup;
    setup.simulate = true;
    setup.simulate_absent = true;
    return setup;
  }

  QTemporaryDir dataDir;
  VirtualClock clock;
  FakePointerStore pointerStore;
  RecordingPresenter messages;
  ScriptedProfileDialogs dialogs;
  QStringList opened;
  FakeInputCapture* inputCapture = nullptr;  // owned by the window
  std::unique_ptr<MainWindow> window;
};

// The first poll finds and reads the simulated mouse; the window is shown.
inline void ConnectReadAndShow(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(f.window->session().IsOpen());
  QVERIFY(!f.window->covered());
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
}

}  // namespace zelko::test
