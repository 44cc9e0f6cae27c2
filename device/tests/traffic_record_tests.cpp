// The recording's file format: every kind of line read back as written,
// the refusals, a file cut short by a crash, and the flushing of the log.
#include "device/traffic_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "device/traffic_log.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

struct LineCase {
  const char* name;
  TrafficEntry entry;
};

TrafficEntry Make(TrafficKind kind, std::uint64_t ms = 0, int handle = -1) {
  TrafficEntry entry;
  entry.kind = kind;
  entry.ms = ms;
  entry.handle = handle;
  return entry;
}

std::vector<LineCase> LineCases() {
  std::vector<LineCase> cases;
  TrafficEntry header = Make(TrafficKind::kHeader);
  header.header = {kTrafficFormat, "zelko77ctl", "1.0", "linux-x86_64"};
  cases.push_back({"Header", header});
  TrafficEntry listed = Make(TrafficKind::kEnumerate, 5);
  listed.interfaces = 3;
  cases.push_back({"EnumerateListed", listed});
  cases.push_back({"EnumerateUnavailable", Make(TrafficKind::kEnumerate, 6)});
  TrafficEntry open = Make(TrafficKind::kOpen, 7, 2);
  open.path = 1;
  cases.push_back({"Open", open});
  TrafficEntry failed_open = Make(TrafficKind::kOpen, 7, -1);
  failed_open.path = -1;
  cases.push_back({"OpenFailedUnlistedPath", failed_open});
  cases.push_back({"Close", Make(TrafficKind::kClose, 8, 2)});
  TrafficEntry ids = Make(TrafficKind::kAttributes, 9, 2);
  ids.attributes = HidAttributes{0x3151, 0x7707, 0x0104};
  cases.push_back({"Attributes", ids});
  cases.push_back({"AttributesMissing", Make(TrafficKind::kAttributes, 9, 2)});
  TrafficEntry length = Make(TrafficKind::kFeatureLength, 10, 2);
  length.feature_length = 8;
  cases.push_back({"FeatureLength", length});
  TrafficEntry set = Make(TrafficKind::kSetFeature, 11, 2);
  set.data = {0x04, 0x06, 0x00, 0x01, 0x10, 0x00, 0x00, 0x00};
  set.ok = true;
  cases.push_back({"SetFeature", set});
  TrafficEntry get = Make(TrafficKind::kGetFeature, 12, 2);
  get.data = {0x04, 0x06, 0x00, 0x01, 0x10, 0x00, 0x00, 0x00};
  get.reply = {0x04, 0xAA, 0x04, 0x75, 0x00, 0x00, 0x00, 0xCC};
  get.ok = false;
  cases.push_back({"GetFeatureFailed", get});
  TrafficEntry descriptor = Make(TrafficKind::kDescriptor, 0, 2);
  descriptor.data = {0x06, 0x00, 0xFF, 0x09, 0x01};
  cases.push_back({"Descriptor", descriptor});
  TrafficEntry chip = Make(TrafficKind::kChip);
  chip.chip_code = 0x75;
  cases.push_back({"Chip", chip});
  return cases;
}

class TrafficLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(TrafficLineTest, ReadsBackAsWritten) {
  const TrafficEntry& written = GetParam().entry;
  std::string error;
  const auto read = ParseTrafficLine(TrafficLine(written), &error);
  ASSERT_TRUE(read) << error << " in " << TrafficLine(written);
  EXPECT_EQ(read->kind, written.kind);
  EXPECT_EQ(read->ms, written.ms);
  EXPECT_EQ(read->handle, written.handle);
  EXPECT_EQ(read->path, written.path);
  EXPECT_EQ(read->interfaces, written.interfaces);
  EXPECT_EQ(read->feature_length, written.feature_length);
  EXPECT_EQ(read->attributes.has_value(), written.attributes.has_value());
  if (written.attributes) {
    EXPECT_EQ(read->attributes->vendor_id, written.attributes->vendor_id);
    EXPECT_EQ(read->attributes->product_id, written.attributes->product_id);
    EXPECT_EQ(read->attributes->version, written.attributes->version);
  }
  EXPECT_EQ(read->data, written.data);
  EXPECT_EQ(read->reply, written.reply);
  EXPECT_EQ(read->ok, written.ok);
  EXPECT_EQ(read->chip_code, written.chip_code);
  EXPECT_EQ(read->header.program, written.header.program);
  EXPECT_EQ(read->header.platform, written.header.platform);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TrafficLineTest, ::testing::ValuesIn(LineCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrafficLine, RefusesWhatIsNotARecordedExchange) {
  for (const char* line : {"", "[]", "{}", "{\"t\":\"dance\"}", "{\"t\":\"set\",\"ms\":1,\"handle\":1,\"ok\":true}",
                           "{\"t\":\"set\",\"ms\":1,\"handle\":1,\"data\":\"0g\",\"ok\":true}",
                           "{\"t\":\"get\",\"ms\":1,\"handle\":1,\"data\":\"04 00\",\"reply\":\"04\",\"ok\":true}",
                           "{\"t\":\"open\",\"ms\":-1,\"path\":0,\"handle\":1}", "{\"t\":\"set\""}) {
    EXPECT_FALSE(ParseTrafficLine(line)) << line;
  }
}

constexpr const char* kHeaderLine =
    "{\"t\":\"header\",\"format\":1,\"program\":\"zelko77ctl\",\"program_version\":\"1.0\",\"platform\":\"linux\"}\n";

TEST(Recording, FileCutShortKeepsItsWholeLines) {
  const std::string text = std::string(kHeaderLine) + "{\"t\":\"enumerate\",\"ms\":0,\"interfaces\":3}\n" +
                           "{\"t\":\"open\",\"ms\":0,\"pa";
  const auto recording = ParseRecording(text);
  ASSERT_TRUE(recording) << recording.error();
  EXPECT_TRUE(recording->truncated);
  ASSERT_EQ(recording->entries.size(), 1u);
  EXPECT_EQ(recording->entries[0].line, 2);
  EXPECT_EQ(recording->header.program, "zelko77ctl");
}

TEST(Recording, RefusalsNameTheLine) {
  EXPECT_EQ(ParseRecording("{\"t\":\"enumerate\",\"ms\":0,\"interfaces\":3}\n").error(),
            "line 1: not the header of a traffic recording");
  EXPECT_EQ(ParseRecording("").error(), "the recording is empty");
  const auto bad = ParseRecording(std::string(kHeaderLine) + "\n{\"t\":\"close\",\"ms\":0}\n");
  EXPECT_EQ(bad.error().rfind("line 3: ", 0), 0u) << bad.error();
  const auto newer = ParseRecording(
      "{\"t\":\"header\",\"format\":2,\"program\":\"x\",\"program_version\":\"9\",\"platform\":\"p\"}\n");
  EXPECT_EQ(newer.error(), "line 1: recording format 2; this program reads format 1");
}

TEST(TrafficLog, WritesAtMostASecondApartAndAtTheEnd) {
  const fs::path path = fs::temp_directory_path() / ("zelko-traffic-" + std::to_string(std::random_device{}()));
  auto read = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  VirtualClock clock;
  {
    auto log = TrafficLog::Create(path.string(), clock);
    ASSERT_TRUE(log) << log.error();
    (*log)->Write("one");
    clock.Advance(kTrafficFlushIntervalMs - 1);
    (*log)->Write("two");
    EXPECT_EQ(read(), "");
    clock.Advance(1);
    (*log)->Write("three");
    EXPECT_EQ(read(), "one\ntwo\nthree\n");
    (*log)->Write("four");
  }
  EXPECT_EQ(read(), "one\ntwo\nthree\nfour\n");
  fs::remove(path);
}

TEST(TrafficLog, RefusesAFolder) {
  VirtualClock clock;
  const auto log = TrafficLog::Create(fs::temp_directory_path().string(), clock);
  ASSERT_FALSE(log);
  EXPECT_NE(log.error().find("not a regular file"), std::string::npos);
}

}  // namespace
}  // namespace zelko
