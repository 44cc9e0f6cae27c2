// zelko77: the configuration window of the ZELKO77 gaming mouse.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "base/clock.h"
#include "shell/main_window.h"
#include "shell/screenshot.h"
#include "shell/shell_options.h"
#include "shell/single_instance.h"
#include "sim/device_session.h"

namespace {

// ZELKO77_STARTUP_TIMING=1: prints how long the start took to the first
// painted frame of the main window.
class FirstPaintTimer : public QObject {
 public:
  explicit FirstPaintTimer(const QElapsedTimer& since) : since_(since) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      std::fprintf(stderr, "zelko77: first frame painted after %lld ms\n",
                   static_cast<long long>(since_.elapsed()));
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& since_;
  bool reported_ = false;
};

// The mouse the window talks to; nothing (message on stderr) when the
// platform has no HID backend.
std::unique_ptr<zelko::sim::DeviceSession> OpenMouse(zelko::sim::DeviceSetup setup, zelko::Clock& clock) {
  auto session = zelko::sim::OpenDeviceSession(std::move(setup), clock);
  if (!session) {
    std::fprintf(stderr, "zelko77: %s\n", session.error().c_str());
    return nullptr;
  }
  return std::move(*session);
}

int RunScreenshots(zelko::ShellOptions options) {
  // Pictures need no waiting: the simulated mouse answers in virtual time.
  zelko::VirtualClock clock;
  const bool simulate = options.device.simulate;
  auto device = OpenMouse(std::move(options.device), clock);
  if (!device) return zelko::kShellExitNoMouse;
  zelko::WindowServices services;
  services.clock = &clock;
  services.device = std::move(device);
  services.runPollTimer = false;
  // The pictures' sample macro goes into a library of their own, and the
  // recorder's line about hearing only the window is shown.
  QTemporaryDir library;
  services.macroLibraryFile = library.filePath(QStringLiteral("ZELKO77-Macro.bin")).toStdString();
  services.openInputCapture = [] { return std::unique_ptr<zelko::InputCapture>(); };
  zelko::MainWindow window(std::move(services));
  if (simulate) window.DevTimerTimer();
  QString error;
  const QStringList files = zelko::RenderAllPages(window, QString::fromStdString(options.screenshotFolder), &error);
  for (const QString& file : files) std::printf("%s\n", qPrintable(file));
  if (!error.isEmpty()) {
    std::fprintf(stderr, "zelko77: %s\n", qPrintable(error));
    return zelko::kShellExitFailure;
  }
  return zelko::kShellExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  // Bad options and a bad memory file end here, before anything is opened.
  auto parsed = zelko::ParseShellOptions(argc, argv);
  if (parsed.exitCode >= 0) {
    std::fputs(parsed.output.c_str(), parsed.exitCode == 0 ? stdout : stderr);
    return parsed.exitCode;
  }
  zelko::ShellOptions& options = parsed.options;
  if (!options.screenshotFolder.empty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("zelko77"));
  if (!options.screenshotFolder.empty()) return RunScreenshots(std::move(options));

  const QString key = options.instanceKey.empty() ? QString::fromLatin1(zelko::MainWindow::kWindowTitle)
                                                  : QString::fromStdString(options.instanceKey);
  zelko::SingleInstance instance(key);
  if (!instance.problem().isEmpty()) {
    std::fprintf(stderr, "zelko77: starting without the one-window check: %s\n", qPrintable(instance.problem()));
  }
  if (instance.AskFirstToComeForward()) return zelko::kShellExitOk;

  auto device = OpenMouse(std::move(options.device), zelko::DefaultClock());
  if (!device) return zelko::kShellExitNoMouse;
  zelko::WindowServices services;
  services.device = std::move(device);
  services.openEngineerPage = options.engineerPage;
  zelko::MainWindow window(std::move(services));
  instance.OnComeForward([&window] { zelko::BringForward(&window); });
  FirstPaintTimer firstPaint(sinceStart);
  if (!qEnvironmentVariableIsEmpty("ZELKO77_STARTUP_TIMING")) window.installEventFilter(&firstPaint);
  window.show();
  return app.exec();
}
