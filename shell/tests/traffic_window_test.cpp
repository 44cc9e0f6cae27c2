// The window records its traffic and replays it: Read and Apply on the
// simulated mouse with --record-traffic, then the same clicks on a strict
// replay of that recording, itself recorded: both recordings hold the same
// exchanges, and the window said the same both times.
#include <QtTest>

#include "device/traffic_record.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

// The first poll, Read, Apply, then the window closes (the interface is
// released).
void ReadApplyAndClose(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(f.window->session().IsOpen());
  f.window->ActionButtonClick("Read");
  f.window->ActionButtonClick("Apply");
  f.window->close();
}

std::vector<TrafficEntry> Exchanges(const std::string& path) {
  auto recording = ReadRecordingFile(path);
  if (!recording) qFatal("%s", recording.error().c_str());
  std::vector<TrafficEntry> exchanges;
  for (const auto& entry : recording->entries) {
    if (IsRequest(entry.kind)) exchanges.push_back(entry);
  }
  return exchanges;
}

}  // namespace

class TrafficWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void readAndApplyReplayStrictlyAsRecorded() {
    QTemporaryDir folder;
    const std::string recorded = folder.filePath("window.jsonl").toStdString();
    const std::string replayed = folder.filePath("replayed.jsonl").toStdString();
    QStringList shownRecording;
    {
      session::DeviceRequest request;
      request.simulate = true;
      request.sim.virtual_time = true;
      request.record_traffic = recorded;
      auto setup = session::ReadDeviceRequest(request);
      QVERIFY2(setup.ok(), setup.error().c_str());
      WindowFixture f(std::move(*setup));
      ReadApplyAndClose(f);
      shownRecording = f.messages.texts();
    }
    session::DeviceRequest request;
    request.replay = recorded;
    request.record_traffic = replayed;
    auto setup = session::ReadDeviceRequest(request);
    QVERIFY2(setup.ok(), setup.error().c_str());
    QStringList shown;
    {
      WindowFixture f(std::move(*setup));
      ReadApplyAndClose(f);
      shown = f.messages.texts();
    }
    QCOMPARE(shown, shownRecording);  // the window said the same both times
    const auto want = Exchanges(recorded);
    const auto got = Exchanges(replayed);
    QVERIFY(want.size() > 1000);  // a whole image read, written and read back
    QCOMPARE(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      QVERIFY2(got[i].kind == want[i].kind && got[i].data == want[i].data && got[i].reply == want[i].reply &&
                   got[i].ok == want[i].ok,
               qPrintable(QStringLiteral("line %1 of the recording").arg(want[i].line)));
    }
  }
};

QTEST_MAIN(TrafficWindowTest)
#include "traffic_window_test.moc"
