// Writing commands of zelko77ctl under random faults of the mouse, run
// in-process in virtual time. Each run draws a command (load, reset,
// defaults, restore, set-button, set-dpi, set-led, macro assign, macro
// import-slots) and runs it first on a healthy mouse, whose result is the
// image the command intends, then on the same mouse with faults: unplugged
// after N reports, not-ready polls, wrong acknowledgements, no answer from
// some report on, stuck and sticky bytes, unacknowledged read chunks,
// latency, a backup folder that cannot be written.
//
// After every run, from the simulated memory itself: a success leaves the
// mouse holding exactly the intended image; a failure says why; whatever
// was written was preceded by a backup of the image the mouse held, and a
// failure that left the mouse changed names that backup and how to put it
// back. No run crashes, none takes longer than a deadline in virtual time,
// and a wall-clock guard stops the test if one never ends.
//
//   ZELKO_FAULT_SEED=N   another campaign (the seed is printed)
//   ZELKO_FAULT_RUNS=N   more runs (1000 by default)
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <stdlib.h>

#include "base/file_reading.h"
#include "cli/command_line.h"
#include "cli/cli_context.h"
#include "cli/tests/run_ctl.h"
#include "image/backup_store.h"
#include "image/section_backup.h"
#include "image/section_read.h"
#include "image/factory_images.h"
#include "image/image_layout.h"
#include "macros/macro_name_codec.h"
#include "macros/macro_record.h"
#include "macros/tests/macro_test_support.h"
#include "sim/simulated_mouse.h"

namespace zelko::cli {
namespace {

// The addresses no range covers.
std::vector<AddressRange> OutsideOf(const std::vector<AddressRange>& ranges) {
  std::vector<AddressRange> outside;
  std::size_t at = 0;
  for (const auto& range : ranges) {
    if (range.begin > at) outside.push_back({at, range.begin});
    at = range.end;
  }
  if (at < kDataBufSize) outside.push_back({at, kDataBufSize});
  return outside;
}

namespace fs = std::filesystem;
using testing::CtlRun;

constexpr std::uint64_t kDefaultSeed = 20261210;
constexpr int kDefaultRuns = 1000;
// Longer than the slowest write the faults allow (a whole image with
// latency, not-ready polls and three repair passes takes a few minutes).
constexpr std::uint64_t kRunDeadlineMs = 30ull * 60 * 1000;
// A run that has not ended after this long never will.
constexpr auto kWallClockGuard = std::chrono::seconds(60);

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  return std::strtoull(text, nullptr, 0);
}

// zelko77ctl's main() in this process, its output captured.
CtlRun RunInProcess(const std::vector<std::string>& args, const session::SimMouseWatch& watch = {}) {
  std::vector<const char*> argv{"zelko77ctl"};
  for (const auto& arg : args) argv.push_back(arg.c_str());
  CtlRun run;
  for (const auto& arg : args) run.command += arg + " ";
  std::fflush(nullptr);
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  run.exit_code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), watch);
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  run.out = ::testing::internal::GetCapturedStdout();
  run.err = ::testing::internal::GetCapturedStderr();
  return run;
}

// A folder of the test's own, in memory where the system has a tmpfs: every
// write keeps a backup, and on a busy disk its sync would cost more than
// the whole run.
class MemoryFolder {
 public:
  MemoryFolder() {
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "zelko-faults-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~MemoryFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  MemoryFolder(const MemoryFolder&) = delete;
  MemoryFolder& operator=(const MemoryFolder&) = delete;
  const fs::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

// Aborts the test, saying which run, when a run outlives its guard.
class WallClockGuard {
 public:
  WallClockGuard() : thread_([this] { Watch(); }) {}
  ~WallClockGuard() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  void Arm(std::string what) {
    std::lock_guard lock(mutex_);
    what_ = std::move(what);
    deadline_ = std::chrono::steady_clock::now() + kWallClockGuard;
    armed_ = true;
    changed_.notify_all();
  }
  void Disarm() {
    std::lock_guard lock(mutex_);
    armed_ = false;
  }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
      if (!armed_) {
        changed_.wait(lock);
        continue;
      }
      const auto deadline = deadline_;
      if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && armed_ && deadline_ == deadline) {
        std::fprintf(stderr, "fault campaign: a run did not end within %lld s: %s\n",
                     static_cast<long long>(kWallClockGuard.count()), what_.c_str());
        std::abort();
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  bool armed_ = false;
  std::chrono::steady_clock::time_point deadline_;
  std::string what_;
  std::thread thread_;
};

// What the simulated mice of one command did.
struct MouseLog {
  DataBuf memory{};  // carried from session to session
  int sessions_started = 0;
  int sessions_ended = 0;
  long reports = 0;
  // Counted from the command's first report: the one that carried out the
  // first write chunk (0: nothing was written).
  long first_write_report = 0;
  int write_chunks = 0;
  std::uint64_t virtual_ms = 0;
};

// The faults of one run and their description.
struct FaultPlan {
  sim::SimFaults faults;
  bool backup_blocked = false;
  std::string text;
};

struct Command {
  std::string kind;
  std::vector<std::string> args;  // after the global options
  // The image it must leave, where that is known without running it: a
  // factory image reset or loaded.
  std::optional<DataBuf> leaves = std::nullopt;
};

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const auto& arg : args) text += (text.empty() ? "" : " ") + arg;
  return text;
}

// The reason of a failure, from what the command said.
std::string ReasonOf(const CtlRun& run) {
  static const std::pair<const char*, const char*> kReasons[] = {
      {"opening handshake", "no answer to the handshake"},
      {"could not be read whole", "image not read whole"},
      {"did not acknowledge the write", "write not acknowledged"},
      {"did not acknowledge a repair write", "repair not acknowledged"},
      {"read back whole", "read-back incomplete"},
      {"did not take", "bytes did not take"},
      {"end of the exchange", "end not acknowledged"},
      {"no backup", "no backup could be kept"},
      {"refuses configuration", "refused configuration"},
  };
  for (const auto& [phrase, reason] : kReasons) {
    if (run.err.find(phrase) != std::string::npos) return reason;
  }
  if (run.exit_code == kExitBadInput) return "refused as bad input";
  return "exit " + std::to_string(run.exit_code) + ", other";
}

class FaultCampaign {
 public:
  explicit FaultCampaign(std::uint64_t seed) : random_(seed) {
    data_ = folder_.path() / "data";
    blocked_ = folder_.path() / "blocked";
    std::ofstream(blocked_) << "a file where the data folder should be";
    library_ = folder_ / "library.bin";
    for (int n = 1; n <= kFactoryImageCount; ++n) {
      const auto image = FactoryImage(n);
      if (!image) continue;
      starts_.push_back(*image);
      files_.push_back(Write("factory" + std::to_string(n) + ".bin", {image->begin(), image->end()}));
      factory_files_.push_back(files_.back());
      if (n == 2) files_.push_back(Write("head128.bin", {image->begin(), image->begin() + 128}));
      if (n == 3) {
        // A backup of two sections, as a command that read only those keeps.
        const BackupContent part{*image, SectionReadRanges({Section::ParameterB, Section::Profile})};
        files_.push_back(Write("sections3.part", EncodeBackup(part)));
      }
    }
    bad_profile_ = Write("no-signature.bin", std::vector<std::uint8_t>(kDataBufSize, 0x00));
    MakeLibrary();
    MakeSlotFiles();
    if (!starts_.empty()) current_ = starts_.front();
  }
  ~FaultCampaign() { UseDataFolder(data_); }

  bool ready() const { return starts_.size() == kFactoryImageCount && library_made_; }

  // One run: a command, its intended image from a healthy mouse, then the
  // same command under faults, and the checks.
  void Run(int index) {
    std::uniform_int_distribution<int> fresh(0, 5);
    if (fresh(random_) == 0) {
      current_ = starts_[std::uniform_int_distribution<std::size_t>(0, starts_.size() - 1)(random_)];
    }
    const Command command = DrawCommand();
    const bool full = std::uniform_int_distribution<int>(0, 3)(random_) == 0;
    RunCommand(index, command, full, std::nullopt);
  }

  // A case kept from a campaign that once broke the invariant: the command
  // and its faults on a mouse holding factory image 1.
  void RunKept(const std::string& name, const std::vector<std::string>& command_args, const FaultPlan& plan,
               const std::function<void(DataBuf&)>& damage = {}) {
    current_ = starts_.front();
    if (damage) damage(current_);
    RunCommand(0, Command{name, command_args}, false, plan);
  }
  const std::string& slot_file() const { return slot_files_.front(); }

  // The command on a healthy mouse, then under the faults given or drawn.
  void RunCommand(int index, const Command& command, bool full, const std::optional<FaultPlan>& given) {
    const DataBuf start = current_;
    std::vector<std::string> args = {"--simulate", "--sim-virtual-time"};
    if (full) args.push_back("--full");
    args.insert(args.end(), command.args.begin(), command.args.end());

    MouseLog healthy;
    const CtlRun reference = RunOnMouse(args, start, FaultPlan{}, healthy);
    const std::string what = "run " + std::to_string(index) + ": zelko77ctl " + Joined(args);
    ASSERT_TRUE(reference.exit_code == kExitOk || reference.exit_code == kExitBadInput)
        << what << " fails on a healthy mouse\n" << reference.err;
    if (reference.exit_code != kExitOk) {
      EXPECT_TRUE(healthy.memory == start) << what << " refused, but wrote";
    }
    const DataBuf intended = healthy.memory;
    if (command.leaves && reference.exit_code == kExitOk) {
      EXPECT_TRUE(intended == *command.leaves) << what << " leaves another image than the factory image";
    }

    const FaultPlan plan = given ? *given : DrawFaults(healthy, start, intended);
    MouseLog faulted;
    guard_.Arm(what + " with" + plan.text);
    const CtlRun run = RunOnMouse(args, start, plan, faulted);
    guard_.Disarm();
    Check(what + " with" + plan.text, run, reference, start, intended, faulted);
    Count(command.kind, run, faulted);
    current_ = faulted.memory;
    if (run.exit_code == kExitOk && files_.size() < 12 && intended != start) {
      files_.push_back(Write("image" + std::to_string(index) + ".bin", {intended.begin(), intended.end()}));
    }
  }

  std::string Summary() const {
    std::ostringstream text;
    int runs = 0;
    for (const auto& [kind, n] : by_command_) runs += n;
    text << "fault campaign: " << runs << " runs, " << successes_ << " succeeded, " << runs - successes_
         << " failed, " << never_wrote_ << " never wrote, " << restored_
         << " left the mouse changed and were restored from the backup they named ("
         << restored_from_sections_ << " of them a backup of sections); slowest "
         << slowest_ms_ / 1000 << " s virtual\n";
    text << "  failures:";
    for (const auto& [reason, n] : failures_) text << " " << reason << " " << n << ";";
    text << "\n  commands:";
    for (const auto& [kind, n] : by_command_) text << " " << kind << " " << n << ";";
    return text.str();
  }
  int successes() const { return successes_; }
  int failures() const {
    int n = 0;
    for (const auto& [reason, count] : failures_) n += count;
    return n;
  }

 private:
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // Two macros in a library of the test's own.
  void MakeLibrary() {
    const std::string lines = folder_ / "lines.txt";
    std::ofstream(lines) << "1 LeftKey CODE:00A1\n2 LeftKey CODE:0021\n";
    library_made_ = true;
    for (const char* name : {"Fire", "Burst"}) {
      const CtlRun made = RunInProcess({"macro", "--library", library_, "new", name});
      const CtlRun set = RunInProcess({"macro", "--library", library_, "set", name, "--lines", lines,
                                       "--release", std::string(name) == "Fire" ? "stop" : "continue"});
      library_made_ = library_made_ && made.exit_code == kExitOk && set.exit_code == kExitOk;
    }
  }

  // A file of seven slots and a file of one.
  void MakeSlotFiles() {
    std::vector<std::uint8_t> file(kMacroAreaSize, 0);
    const char* names[] = {"One", "Two", "Three"};
    for (std::size_t slot = 0; slot < 3; ++slot) {
      const MacroName name = MacroNameStrToUnicode(names[slot]);
      const MacroContent content =
          testing_support::ContentOf({0xA4, static_cast<std::uint8_t>(0x24 + slot)});
      const auto at = static_cast<std::ptrdiff_t>(slot * kMacroRecordSize);
      std::copy(name.begin(), name.end(), file.begin() + at);
      std::copy(content.begin(), content.end(), file.begin() + at + kMacroNameSize);
    }
    slot_files_.push_back(Write("slots.bin", file));
    slot_files_.push_back(Write("one-slot.bin", {file.begin(), file.begin() + kMacroRecordSize}));
  }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random_)];
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  long Between(long low, long high) { return std::uniform_int_distribution<long>(low, high)(random_); }

  Command DrawCommand() {
    static const std::vector<std::string> kKinds = {"load", "reset", "defaults", "restore", "set-button",
                                                    "set-dpi", "set-led", "macro assign", "import-slots"};
    static const std::vector<std::string> kFunctions = {"Left Click", "Right Click", "DPI +", "Mute",
                                                        "Ctrl+A", "Ctrl+Shift+A", "010300"};
    static const std::vector<std::string> kDpi = {"500", "800", "1600", "3200", "6400"};
    static const std::vector<std::string> kColours = {"Red", "Blue", "White", "#20A0FF"};
    const std::string kind = Pick(kKinds);
    const std::string profile = std::to_string(Between(1, 2));
    const std::string button = std::to_string(Between(1, 9));
    if (kind == "load" || kind == "restore") {
      // Now and then a file without the signature: refused, nothing written.
      const std::string& file = kind == "load" && Between(0, 15) == 0 ? bad_profile_ : Pick(files_);
      const auto factory = std::find(factory_files_.begin(), factory_files_.end(), file);
      Command command{kind, {kind, file}};
      if (factory != factory_files_.end()) command.leaves = starts_[factory - factory_files_.begin()];
      return command;
    }
    if (kind == "reset") {
      const int n = Between(1, 3);
      return {kind, {"reset", std::to_string(n)}, starts_[static_cast<std::size_t>(n - 1)]};
    }
    if (kind == "defaults") return {kind, {"defaults"}};
    if (kind == "set-button") return {kind, {"set-button", "--profile", profile, button, Pick(kFunctions)}};
    if (kind == "set-dpi") {
      switch (Between(0, 3)) {
        case 0: return {kind, {"set-dpi", "--count", std::to_string(Between(2, 7))}};
        case 1: return {kind, {"set-dpi", "--value", std::to_string(Between(1, 4)) + "=" + Pick(kDpi)}};
        case 2: return {kind, {"set-dpi", "--current", std::to_string(Between(1, 4))}};
        default: return {kind, {"set-dpi", "--colour", std::to_string(Between(1, 4)) + "=" + Pick(kColours)}};
      }
    }
    if (kind == "set-led") {
      switch (Between(0, 3)) {
        case 0: return {kind, {"set-led", "--led", Between(0, 1) ? "on" : "off"}};
        case 1: return {kind, {"set-led", "--breath", std::to_string(Between(0, 255))}};
        case 2: return {kind, {"set-led", "--mcpi", Between(0, 1) ? "on" : "off"}};
        default: return {kind, {"set-led", "--save-key-mode", Between(0, 1) ? "on" : "off"}};
      }
    }
    if (kind == "macro assign") {
      return {kind, {"macro", "--library", library_, "assign", "--profile", profile, button,
                     Between(0, 1) ? "Fire" : "Burst"}};
    }
    return {kind, {"macro", "import-slots", Pick(slot_files_)}};
  }

  // One to three faults; where and when they strike is drawn from what the
  // healthy run did: its report count and the bytes it changed.
  FaultPlan DrawFaults(const MouseLog& healthy, const DataBuf& start, const DataBuf& intended) {
    FaultPlan plan;
    // Mostly while the mouse is being written, else anywhere in the command.
    const long end = std::max(healthy.reports, 1L);
    const auto when = [&] {
      const bool in_write = healthy.first_write_report > 0 && Between(0, 2) > 0;
      return Between(in_write ? healthy.first_write_report - 1 : 0L, end);
    };
    sim::SimFaults& f = plan.faults;
    std::vector<std::uint16_t> changed;
    for (std::size_t a = 0; a < kDataBufSize; ++a) {
      if (start[a] != intended[a]) changed.push_back(static_cast<std::uint16_t>(a));
    }
    const auto address = [&] {
      return changed.empty() || Between(0, 4) == 0 ? static_cast<std::uint16_t>(Between(0, 2047))
                                                   : Pick(changed);
    };
    const auto hex = [](unsigned value) {
      char text[8];
      std::snprintf(text, sizeof text, "0x%03X", value);
      return std::string(text);
    };
    const int count = Between(1, 3);
    for (int i = 0; i < count; ++i) {
      switch (Between(0, 10)) {
        case 0:
          f.unplug_after_reports = when();
          plan.text += " unplugged after " + std::to_string(*f.unplug_after_reports) + " reports;";
          break;
        case 1:
          // Five never let a request through: now and then.
          f.not_ready_polls = Between(0, 7) == 0 ? 5 : Between(1, 4);
          plan.text += " " + std::to_string(f.not_ready_polls) + " not-ready polls;";
          break;
        case 2: {
          static const std::vector<std::uint8_t> kWrongAcks = {0x00, sim::kAckRefused, 0x55, 0x33};
          f.ack_value = Pick(kWrongAcks);
          f.ack_value_replies = Between(1, 12);
          f.ack_value_after_reports = when();
          plan.text += " ack " + hex(*f.ack_value) + " for " + std::to_string(f.ack_value_replies) +
                       " replies after " + std::to_string(f.ack_value_after_reports) + " reports;";
          break;
        }
        case 3:
          f.no_answer_after_reports = when();
          plan.text += " no answer after " + std::to_string(*f.no_answer_after_reports) + " reports;";
          break;
        case 4: {
          const std::uint16_t a = address();
          f.dropped_writes[a] = sim::kNeverKeeps;
          plan.text += " stuck " + hex(a) + ";";
          break;
        }
        case 5: {
          const std::uint16_t a = address();
          f.dropped_writes[a] = Between(1, 4);
          plan.text += " sticky " + hex(a) + ":" + std::to_string(f.dropped_writes[a]) + ";";
          break;
        }
        case 6: {
          const int chunk = Between(0, 341);
          f.unacknowledged_read_chunks.insert(chunk);
          plan.text += " read chunk " + std::to_string(chunk) + " unacknowledged;";
          break;
        }
        case 7:
          f.latency_ms = static_cast<std::uint32_t>(Between(1, 30));
          plan.text += " latency " + std::to_string(f.latency_ms) + " ms;";
          break;
        case 8: {
          static const std::vector<std::set<std::uint8_t>> kClosing = {{0x08}, {0x02}, {0x08, 0x02}};
          f.refused_commands = Pick(kClosing);
          plan.text += " closing pair refused (" + std::to_string(f.refused_commands.size()) + " of 2);";
          break;
        }
        case 9:
          // A handshake that refuses configuration: now and then only.
          if (Between(0, 2) == 0) {
            f.status_flag = false;
            plan.text += " status flag clear;";
          } else if (Between(0, 1) == 0) {
            f.lost_answers = Between(1, 12);
            f.lost_answers_after_reports = when();
            plan.text += " " + std::to_string(f.lost_answers) + " answers lost after " +
                         std::to_string(f.lost_answers_after_reports) + " reports;";
          } else {
            f.latency_ms = static_cast<std::uint32_t>(Between(1, 30));
            plan.text += " latency " + std::to_string(f.latency_ms) + " ms;";
          }
          break;
        default:
          plan.backup_blocked = true;
          plan.text += " backup folder not writable;";
          break;
      }
    }
    return plan;
  }

  void UseDataFolder(const fs::path& path) { ::setenv("XDG_DATA_HOME", path.c_str(), 1); }
  fs::path BackupFolder() const { return data_ / "zelko77" / "backups"; }

  // The command on a simulated mouse that starts with `start` and has the
  // plan's faults; what the mouse did is in `log`.
  CtlRun RunOnMouse(const std::vector<std::string>& args, const DataBuf& start, const FaultPlan& plan,
                    MouseLog& log) {
    std::error_code ignored;
    fs::remove_all(BackupFolder(), ignored);
    UseDataFolder(plan.backup_blocked ? blocked_ : data_);
    log = MouseLog{};
    log.memory = start;
    active_log_ = &log;
    active_faults_ = &plan.faults;
    const CtlRun run = RunInProcess(args, Watch());
    active_log_ = nullptr;
    UseDataFolder(data_);
    return run;
  }

  void Check(const std::string& what, const CtlRun& run, const CtlRun& reference, const DataBuf& start,
             const DataBuf& intended, const MouseLog& log) {
    EXPECT_EQ(log.sessions_started, log.sessions_ended) << what << ": a session was never ended";
    EXPECT_LE(log.virtual_ms, kRunDeadlineMs) << what << ": took " << log.virtual_ms << " ms virtual";
    if (run.exit_code == kExitOk) {
      EXPECT_EQ(reference.exit_code, kExitOk) << what << ": succeeded where the healthy mouse refused";
      EXPECT_TRUE(log.memory == intended) << what << ": reported success, but the mouse holds another image\n"
                                          << run.out << run.err;
    } else {
      EXPECT_FALSE(run.err.empty()) << what << ": failed (exit " << run.exit_code << ") without a word";
    }
    if (log.write_chunks == 0 && log.memory == start) return;
    // Something was written: a backup of what the mouse held came first.
    const auto backups = ListBackups(BackupFolder().string());
    // A backup of sections holds what the mouse held there.
    const bool kept = std::any_of(backups.begin(), backups.end(), [&](const std::string& path) {
      const auto bytes = ReadWholeFile(path);
      if (!bytes) return false;
      if (const auto part = DecodeSectionBackup(*bytes)) {
        return SameOver(part->image, start, part->ranges) && SameOver(log.memory, start, OutsideOf(part->ranges));
      }
      return std::equal(bytes->begin(), bytes->end(), start.begin(), start.end());
    });
    EXPECT_TRUE(kept) << what << ": wrote into the mouse without a backup of the image it held";
    if (run.exit_code != kExitOk && log.memory != start && kept) {
      if (start[kImageSignatureOffset] != kImageSignature) {
        // Held so since an earlier write was cut short: restore refuses it,
        // and the failure must not offer it.
        EXPECT_NE(run.err.find("cannot be restored; put a whole image back with"), std::string::npos)
            << what << ": offers to restore a backup without the signature\n" << run.err;
        return;
      }
      EXPECT_NE(run.err.find("zelko77ctl restore " + backups.front()), std::string::npos)
          << what << ": left the mouse changed without naming the backup\n" << run.err;
      ExpectRestorable(what, backups.front(), start, log.memory);
    }
  }

  // The backup a failure names puts back, on a healthy mouse holding what
  // the failure left, the image a restore gives on the mouse as it was.
  void ExpectRestorable(const std::string& what, const std::string& backup, const DataBuf& start,
                        const DataBuf& left) {
    const auto bytes = ReadWholeFile(backup);
    ASSERT_TRUE(bytes) << what << ": cannot read " << backup;
    const std::vector<std::string> args = {"--simulate", "--sim-virtual-time", "restore",
                                           Write("named-backup.bin", *bytes)};
    MouseLog from_left;
    MouseLog from_start;
    const CtlRun restored = RunOnMouse(args, left, FaultPlan{}, from_left);
    (void)RunOnMouse(args, start, FaultPlan{}, from_start);
    EXPECT_EQ(restored.exit_code, kExitOk) << what << ": the backup it names cannot be restored\n" << restored.err;
    EXPECT_TRUE(from_left.memory == from_start.memory)
        << what << ": restoring the backup it names does not give back what the mouse held";
    ++restored_;
    if (LooksLikeSectionBackup(*bytes)) ++restored_from_sections_;
  }

  void Count(const std::string& kind, const CtlRun& run, const MouseLog& log) {
    ++by_command_[kind];
    if (run.exit_code == kExitOk) ++successes_;
    else ++failures_[ReasonOf(run)];
    if (log.write_chunks == 0) ++never_wrote_;
    slowest_ms_ = std::max(slowest_ms_, log.virtual_ms);
  }

 public:
  // The hooks every simulated mouse of the commands goes through.
  session::SimMouseWatch Watch() {
    session::SimMouseWatch watch;
    watch.started = [this](sim::SimulatedMouse& mouse, Clock&) {
      if (!active_log_) return;
      ++active_log_->sessions_started;
      std::copy(active_log_->memory.begin(), active_log_->memory.end(), mouse.memory().begin());
      mouse.faults() = *active_faults_;
    };
    watch.ended = [this](const sim::SimulatedMouse& mouse, const Clock& clock) {
      if (!active_log_) return;
      ++active_log_->sessions_ended;
      std::copy(mouse.memory().begin(), mouse.memory().end(), active_log_->memory.begin());
      if (active_log_->first_write_report == 0 && mouse.first_write_report() > 0) {
        active_log_->first_write_report = active_log_->reports + mouse.first_write_report();
      }
      active_log_->reports += mouse.reports_seen();
      active_log_->write_chunks += mouse.executed(CommandCode::kNextWriteChunk);
      active_log_->virtual_ms += clock.NowMs();
    };
    return watch;
  }

 private:
  MemoryFolder folder_;
  fs::path data_;
  fs::path blocked_;
  std::string library_;
  bool library_made_ = false;
  std::string bad_profile_;
  std::vector<std::string> files_;
  std::vector<std::string> factory_files_;
  std::vector<std::string> slot_files_;
  std::vector<DataBuf> starts_;
  DataBuf current_{};
  std::mt19937_64 random_;
  WallClockGuard guard_;
  MouseLog* active_log_ = nullptr;
  const sim::SimFaults* active_faults_ = nullptr;

  int successes_ = 0;
  int restored_ = 0;
  int restored_from_sections_ = 0;
  int never_wrote_ = 0;
  std::uint64_t slowest_ms_ = 0;
  std::map<std::string, int> failures_;
  std::map<std::string, int> by_command_;
};

TEST(WritingCommandsUnderFaults, SucceedOnlyWithTheIntendedImageAndNeverWriteWithoutABackup) {
  const std::uint64_t seed = EnvNumber("ZELKO_FAULT_SEED", kDefaultSeed);
  const auto runs = static_cast<int>(EnvNumber("ZELKO_FAULT_RUNS", kDefaultRuns));
  std::printf("fault campaign: seed %llu (ZELKO_FAULT_SEED), %d runs (ZELKO_FAULT_RUNS)\n",
              static_cast<unsigned long long>(seed), runs);
  std::fflush(stdout);
  FaultCampaign campaign(seed);
  ASSERT_TRUE(campaign.ready());
  for (int run = 0; run < runs && !::testing::Test::HasFatalFailure(); ++run) {
    campaign.Run(run);
    // One broken invariant is enough to read; the seed replays it.
    if (::testing::Test::HasFailure()) break;
  }
  std::printf("%s\n", campaign.Summary().c_str());
  // The faults reached both ends.
  EXPECT_GT(campaign.successes(), 0);
  EXPECT_GT(campaign.failures(), 0);
}

// Cases a campaign once found, kept as they were found.
TEST(WritingCommandsUnderFaults, AnswersLostWhileReadingNeitherReachTheBackupNorTheMouse) {
  // Seed 20261210, run 763: the answers of nine polls lost in the middle of
  // the read, so that the resent chunk read was carried out twice and the
  // rest of the image read shifted by six bytes, yet acknowledged. The
  // backup held the shifted image, and the sections it broke were written
  // back as their defaults.
  FaultCampaign campaign(kDefaultSeed);
  ASSERT_TRUE(campaign.ready());
  FaultPlan plan;
  plan.faults.lost_answers = 9;
  plan.faults.lost_answers_after_reports = 44;
  plan.faults.latency_ms = 8;
  plan.text = " 9 answers lost after 44 reports; latency 8 ms;";
  campaign.RunKept("set-button", {"set-button", "--profile", "1", "6", "Ctrl+Shift+A"}, plan);
  EXPECT_EQ(campaign.successes(), 1);
}

TEST(WritingCommandsUnderFaults, AFailureOnAMouseWithoutTheSignatureDoesNotOfferARestoreThatIsRefused) {
  // Seed 13, run 517: a mouse left without its signature by an earlier
  // write cut short; the next failed write named its backup and the restore
  // command, which refuses a file without the signature.
  FaultCampaign campaign(kDefaultSeed);
  ASSERT_TRUE(campaign.ready());
  FaultPlan plan;
  plan.faults.refused_commands = {0x02};
  plan.text = " closing pair refused (1 of 2);";
  campaign.RunKept("import-slots", {"macro", "import-slots", campaign.slot_file()}, plan,
                   [](DataBuf& image) { image[kImageSignatureOffset] = 0x00; });
  EXPECT_EQ(campaign.failures(), 1);
}

}  // namespace
}  // namespace zelko::cli
