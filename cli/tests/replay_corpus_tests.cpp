// The corpus of recorded traffic (device/tests/recordings): each NAME.jsonl
// is replayed strictly with the command it recorded, and the simulated
// mouse, started from the memory the recording implies, is run with the
// same command and must exchange exactly what was recorded.
//
// NAME.args holds "exit N" (the status the recorded run ended with) and then
// the recorded command line, one argument a line; @DIR@ is the recordings
// folder, @TMP@ a folder of the test's own. --simulate and --sim-* options
// are how a recording was made on the simulated mouse and are left out of
// the replay. A real mouse's recording is dropped in the same way (its
// .args without them) and runs the same tests.
//
//   ZELKO_RECORD_CORPUS=1 build/cli/tests/cli_replay_corpus_tests
// records every NAME.jsonl again from its NAME.args on the simulated mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <zlib.h>

#include "cli/tests/run_ctl.h"
#include "device/recorded_mouse.h"
#include "device/traffic_record.h"
#include "sim/factory_memory.h"

namespace zelko::cli {
namespace {

namespace fs = std::filesystem;
using testing::CtlRun;
using testing::RunCtl;
using testing::TempFolder;

const fs::path kCorpus = fs::path(ZELKO_SOURCE_DIR) / "device" / "tests" / "recordings";

struct CorpusEntry {
  std::string name;
  int exit_code = 0;
  std::vector<std::string> arguments;  // as recorded, placeholders unresolved
};

std::vector<std::string> Lines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<CorpusEntry> Corpus() {
  std::vector<CorpusEntry> entries;
  std::error_code ec;
  for (const auto& file : fs::directory_iterator(kCorpus, ec)) {
    if (file.path().extension() != ".args") continue;
    const auto lines = Lines(file.path());
    if (lines.empty() || lines[0].rfind("exit ", 0) != 0) continue;
    entries.push_back({file.path().stem().string(), std::atoi(lines[0].c_str() + 5), {lines.begin() + 1, lines.end()}});
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

bool IsSimulatorOption(const std::string& argument) {
  return argument.rfind("--simulate", 0) == 0 || argument.rfind("--sim-", 0) == 0;
}

std::vector<std::string> Resolve(std::vector<std::string> arguments, const TempFolder& temp) {
  for (auto& argument : arguments) {
    for (const auto& [mark, value] : {std::pair<std::string, std::string>{"@DIR@", kCorpus.string()},
                                      std::pair<std::string, std::string>{"@TMP@", temp.path().string()}}) {
      for (auto at = argument.find(mark); at != std::string::npos; at = argument.find(mark)) argument.replace(at, mark.size(), value);
    }
  }
  return arguments;
}

// Backups, the macro library and settings go to the test's own folder.
testing::CtlEnvironment Environment(const TempFolder& temp) {
  return {{"XDG_DATA_HOME", temp / "data"}, {"XDG_CONFIG_HOME", temp / "config"}, {"HOME", temp.path().string()}};
}

std::string JsonlOf(const CorpusEntry& entry) { return (kCorpus / (entry.name + ".jsonl")).string(); }

class ReplayCorpus : public ::testing::TestWithParam<CorpusEntry> {};

TEST_P(ReplayCorpus, ReplaysStrictlyAsRecorded) {
  const CorpusEntry& entry = GetParam();
  TempFolder temp;
  const auto arguments = Resolve(entry.arguments, temp);
  if (std::getenv("ZELKO_RECORD_CORPUS")) {
    std::vector<std::string> record = {"--record-traffic", JsonlOf(entry)};
    record.insert(record.end(), arguments.begin(), arguments.end());
    const CtlRun run = RunCtl(record, testing::kCtlTimeout, Environment(temp));
    ASSERT_TRUE(run.exited()) << run;
    std::ofstream args(kCorpus / (entry.name + ".args"), std::ios::trunc);
    args << "exit " << run.exit_code << "\n";
    for (const auto& argument : entry.arguments) args << argument << "\n";
    GTEST_SKIP() << "recorded again, exit " << run.exit_code;
  }
  std::vector<std::string> replay = {"--replay", JsonlOf(entry)};
  for (const auto& argument : arguments) {
    if (!IsSimulatorOption(argument)) replay.push_back(argument);
  }
  const CtlRun run = RunCtl(replay, testing::kCtlTimeout, Environment(temp));
  ASSERT_TRUE(run.exited()) << run;
  EXPECT_EQ(run.err.find("the replay differs"), std::string::npos) << run.err;
  EXPECT_EQ(run.exit_code, entry.exit_code) << run;
}

// The requests and answers of a recording, without times and notes.
std::vector<TrafficEntry> Exchanges(const Recording& recording) {
  std::vector<TrafficEntry> exchanges;
  for (const auto& entry : recording.entries) {
    if (IsRequest(entry.kind)) exchanges.push_back(entry);
  }
  return exchanges;
}

std::string Describe(const TrafficEntry& entry) {
  std::string text = DescribeRequest(entry);
  if (entry.kind == TrafficKind::kGetFeature) text += " -> " + BytesText(entry.reply);
  return text + (entry.ok ? "" : " (failed)");
}

bool SameExchange(const TrafficEntry& a, const TrafficEntry& b) {
  return a.kind == b.kind && a.handle == b.handle && a.path == b.path && a.interfaces == b.interfaces &&
         a.feature_length == b.feature_length && a.data == b.data && a.reply == b.reply && a.ok == b.ok &&
         a.attributes.has_value() == b.attributes.has_value() &&
         (!a.attributes || (a.attributes->vendor_id == b.attributes->vendor_id &&
                            a.attributes->product_id == b.attributes->product_id &&
                            a.attributes->version == b.attributes->version));
}

TEST_P(ReplayCorpus, SimulatedMouseExchangesWhatTheRecordedOneDid) {
  const CorpusEntry& entry = GetParam();
  if (std::getenv("ZELKO_RECORD_CORPUS")) GTEST_SKIP();
  const auto recorded = ReadRecordingFile(JsonlOf(entry));
  ASSERT_TRUE(recorded) << recorded.error();
  // The simulated mouse starts from the memory the recorded program found.
  TempFolder temp;
  const RecordedMouse found = ReconstructMouse(*recorded);
  auto memory = sim::FactoryMemory();
  for (std::size_t i = 0; i < memory.size(); ++i) {
    if (found.known[i]) memory[i] = found.memory[i];
  }
  {
    std::ofstream file(temp / "memory.bin", std::ios::binary);
    file.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
  }
  std::vector<std::string> run_arguments = {"--simulate=" + (temp / "memory.bin"), "--sim-virtual-time",
                                            "--record-traffic", temp / "simulated.jsonl"};
  for (const auto& argument : Resolve(entry.arguments, temp)) {
    if (argument.rfind("--simulate", 0) != 0 && argument != "--sim-virtual-time") run_arguments.push_back(argument);
  }
  const CtlRun run = RunCtl(run_arguments, testing::kCtlTimeout, Environment(temp));
  ASSERT_TRUE(run.exited()) << run;
  const auto simulated = ReadRecordingFile(temp / "simulated.jsonl");
  ASSERT_TRUE(simulated) << simulated.error();

  const auto want = Exchanges(*recorded);
  const auto got = Exchanges(*simulated);
  for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i) {
    ASSERT_TRUE(SameExchange(want[i], got[i]))
        << "the simulated mouse differs from the recording at its line " << want[i].line << ":\n  recorded:  "
        << Describe(want[i]) << "\n  simulated: " << Describe(got[i]);
  }
  EXPECT_EQ(want.size(), got.size()) << "exchanges recorded vs simulated";
  EXPECT_EQ(run.exit_code, entry.exit_code) << run;
}

TEST(Replay, AnotherButtonStopsAtTheFirstDifferentRequestWithItsLine) {
  TempFolder temp;
  const CtlRun run = RunCtl({"--replay", (kCorpus / "set_button.jsonl").string(), "set-button", "--profile", "1", "8",
                             "Ctrl+A"},
                            testing::kCtlTimeout, Environment(temp));
  ASSERT_TRUE(run.exited()) << run;
  EXPECT_NE(run.exit_code, 0);
  // The block write of the button's bytes is one byte longer for Ctrl+A.
  EXPECT_NE(run.err.find("the replay differs at line "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("recorded set feature on interface 3: 04 06 55 00 02 00 00 00; the program asked for set "
                         "feature on interface 3: 04 06 55 00 03 00 00 00"),
            std::string::npos)
      << run.err;
}

// The archive's files by name, from a .tar.gz.
std::vector<std::string> ArchiveNames(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string packed(std::istreambuf_iterator<char>(in), {});
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return {};
  std::string tar(1 << 22, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  stream.next_out = reinterpret_cast<Bytef*>(tar.data());
  stream.avail_out = static_cast<uInt>(tar.size());
  const int result = inflate(&stream, Z_FINISH);
  tar.resize(stream.total_out);
  inflateEnd(&stream);
  if (result != Z_STREAM_END) return {};
  std::vector<std::string> names;
  for (std::size_t at = 0; at + 512 <= tar.size() && tar[at] != '\0';) {
    names.push_back(tar.substr(at, tar.find('\0', at) - at));
    const std::size_t size = std::stoul(tar.substr(at + 124, 11), nullptr, 8);
    at += 512 + (size + 511) / 512 * 512;
  }
  return names;
}

TEST(Report, WritesOneArchiveWithWhatItSaysItHolds) {
  TempFolder temp;
  const std::string archive = temp / "report.tar.gz";
  const CtlRun run = RunCtl({"--simulate", "--sim-virtual-time", "report", archive}, testing::kCtlTimeout, Environment(temp));
  ASSERT_EQ(run.exit_code, 0) << run;
  EXPECT_NE(run.out.find("Report written to " + archive), std::string::npos) << run.out;
  const std::vector<std::string> names = ArchiveNames(archive);
  EXPECT_EQ(names, (std::vector<std::string>{"summary.json", "doctor.txt", "info.txt", "info.jsonl", "read.txt",
                                             "read.jsonl"}));
  for (const auto& name : names) EXPECT_NE(run.out.find("  " + name), std::string::npos) << name << " not listed";
}

INSTANTIATE_TEST_SUITE_P(Recordings, ReplayCorpus, ::testing::ValuesIn(Corpus()),
                         [](const auto& info) { return info.param.name; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ReplayCorpus);

}  // namespace
}  // namespace zelko::cli
