// zelko77ctl report [FILE]: doctor, info and read run under recording, and
// what they printed, what they exchanged with the mouse, the versions and
// the platform put into one archive a user can attach to a problem report.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/atomic_file.h"
#include "base/build_info.h"
#include "base/file_reading.h"
#include "cli/device_commands.h"
#include "cli/device_session.h"
#include "cli/image_commands.h"
#include "cli/report_archive.h"
#include "device/recorded_mouse.h"
#include "device/traffic_record.h"

#ifdef _WIN32
#include <io.h>
#define ZELKO_DUP _dup
#define ZELKO_DUP2 _dup2
#define ZELKO_CLOSE _close
#define ZELKO_FILENO _fileno
#else
#include <unistd.h>
#define ZELKO_DUP dup
#define ZELKO_DUP2 dup2
#define ZELKO_CLOSE close
#define ZELKO_FILENO fileno
#endif

namespace zelko::cli {
namespace {

namespace fs = std::filesystem;

// What the program writes to stdout and stderr goes to `path` while this
// lives.
class CapturedOutput {
 public:
  explicit CapturedOutput(const fs::path& path) {
    std::cout.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    file_ = std::fopen(path.string().c_str(), "wb");
    if (!file_) return;
    saved_out_ = ZELKO_DUP(1);
    saved_err_ = ZELKO_DUP(2);
    (void)ZELKO_DUP2(ZELKO_FILENO(file_), 1);
    (void)ZELKO_DUP2(ZELKO_FILENO(file_), 2);
  }
  ~CapturedOutput() {
    std::cout.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    if (!file_) return;
    (void)ZELKO_DUP2(saved_out_, 1);
    (void)ZELKO_DUP2(saved_err_, 2);
    ZELKO_CLOSE(saved_out_);
    ZELKO_CLOSE(saved_err_);
    std::fclose(file_);
  }
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

 private:
  std::FILE* file_ = nullptr;
  int saved_out_ = -1;
  int saved_err_ = -1;
};

struct ReportStep {
  const char* name;
  void (*run)(CliContext&);
  const char* what;
};

const ReportStep kSteps[] = {
    {"doctor", [](CliContext& c) { RunDoctor(c, DoctorOptions{}); }, "what stands between the program and the mouse"},
    {"info", [](CliContext& c) { RunInfo(c, InfoOptions{}); }, "the mouse's ids, version, status and identity bytes"},
    {"read", [](CliContext& c) { RunRead(c); }, "a read of the mouse's whole memory"},
};

std::string DefaultReportName() {
  const std::time_t now = std::time(nullptr);
  char stamp[32] = "report";
  if (const std::tm* utc = std::gmtime(&now)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", utc);
  return std::string("zelko77-report-") + stamp + ".tar.gz";
}

// The user's home folder becomes "~" in what the commands printed.
std::string WithoutHome(std::string text) {
  const char* home = std::getenv("HOME");
  if (!home || std::string(home).size() < 2) return text;
  const std::string from = home;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
    text.replace(at, from.size(), "~");
  }
  return text;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// What the recordings tell about the mouse, for the summary.
nlohmann::json MouseFacts(const std::vector<Recording>& recordings) {
  nlohmann::json facts = nlohmann::json::object();
  for (const auto& recording : recordings) {
    const RecordedMouse mouse = ReconstructMouse(recording);
    if (mouse.configuration_interface) {
      const auto& interface = mouse.interfaces[static_cast<std::size_t>(*mouse.configuration_interface)];
      if (interface.attributes) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", interface.attributes->vendor_id, interface.attributes->product_id);
        facts["ids"] = ids;
        std::snprintf(ids, sizeof ids, "%04x", interface.attributes->version);
        facts["release"] = ids;
      }
    }
    if (mouse.status_reply) facts["chip_code"] = BytesText(std::span(&(*mouse.status_reply)[kStatusChipCodeByte], 1));
    for (const auto& entry : recording.entries) {
      if (entry.kind == TrafficKind::kDescriptor) facts["report_descriptor"] = BytesText(entry.data);
    }
  }
  return facts;
}

}  // namespace

void RunReport(CliContext& context, const std::string& requested_path) {
  const std::string path = requested_path.empty() ? DefaultReportName() : requested_path;
  const fs::path folder =
      fs::temp_directory_path() / ("zelko77-report-" + std::to_string(std::random_device{}()));
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    PrintError("cannot make a folder for the report in " + fs::temp_directory_path().string());
    context.exit_code = kExitFailure;
    return;
  }

  std::vector<ArchiveFile> files;
  std::vector<Recording> recordings;
  nlohmann::json summary;
  summary["program"] = "zelko77ctl";
  summary["program_version"] = std::string(ProgramVersion());
  summary["platform"] = PlatformName();
  summary["recording_format"] = kTrafficFormat;
  summary["simulated"] = context.options.mouse.simulate || !context.options.mouse.replay.empty();
  for (const ReportStep& step : kSteps) {
    CliContext step_context;
    step_context.options = context.options;
    const fs::path recording_path = folder / (std::string(step.name) + ".jsonl");
    const fs::path output_path = folder / (std::string(step.name) + ".txt");
    step_context.options.mouse.record_traffic = recording_path.string();
    {
      CapturedOutput capture(output_path);
      step.run(step_context);
    }
    summary["commands"].push_back({{"command", step.name}, {"what", step.what}, {"exit_status", step_context.exit_code}});
    if (auto output = ReadWholeFile(output_path.string())) {
      files.push_back({std::string(step.name) + ".txt", Bytes(WithoutHome(std::string(output->begin(), output->end())))});
    }
    if (auto recording = ReadRecordingFile(recording_path.string())) {
      recordings.push_back(*recording);
      if (auto bytes = ReadWholeFile(recording_path.string(), nullptr, kMaxRecordingBytes)) {
        files.push_back({std::string(step.name) + ".jsonl", std::move(*bytes)});
      }
    }
  }
  fs::remove_all(folder, ec);
  summary["mouse"] = MouseFacts(recordings);
  for (const auto& file : files) summary["files"].push_back(file.name);
  files.insert(files.begin(), ArchiveFile{"summary.json", Bytes(summary.dump(2) + "\n")});

  const auto now = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch());
  const auto archive = MakeTarGz(files, static_cast<std::uint64_t>(now.count()));
  if (const std::string error = WriteFileAtomically(path, archive); !error.empty()) {
    PrintError("the report was not written: " + error);
    context.exit_code = kExitFailure;
    return;
  }
  std::printf("Report written to %s\n", path.c_str());
  std::printf("It holds (nothing personal: no paths to your files, no user names, no serial numbers):\n");
  std::printf("  summary.json     program version, platform, the mouse's ids, release, chip code and report\n"
              "                   descriptor, and each command's exit status\n");
  for (const ReportStep& step : kSteps) {
    std::printf("  %-16s what zelko77ctl %s printed (%s)\n", (std::string(step.name) + ".txt").c_str(), step.name, step.what);
  }
  for (const ReportStep& step : kSteps) {
    bool recorded = false;
    for (const auto& file : files) recorded |= file.name == std::string(step.name) + ".jsonl";
    if (recorded) {
      std::printf("  %-16s every exchange of %s with the mouse, one JSON object per line\n",
                  (std::string(step.name) + ".jsonl").c_str(), step.name);
    }
  }
  std::printf("Attach it to your problem report.\n");
}

}  // namespace zelko::cli
