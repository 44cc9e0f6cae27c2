// The registry pointer store in a real Windows registry (Wine's, in the
// test prefix): the six values are written in order and read back, and the
// four SystemParametersInfo calls are made with their actions, values and
// flags (recorded, so the running desktop is left alone).
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "pointer/pointer_parameters.h"
#include "pointer/windows_pointer_store.h"

namespace zelko {
namespace {

// What the registry itself holds, read without the store.
std::optional<std::string> RegistryText(PointerKey key, std::string_view name) {
  char buffer[256] = {};
  DWORD size = sizeof buffer;
  const std::string path(PointerKeyPath(key));
  const std::string value(name);
  if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(buffer);
}

// Passes everything to the real store and notes the order of the writes.
class WriteOrder final : public PointerStore {
 public:
  explicit WriteOrder(PointerStore& store) : store_(store) {}
  std::vector<std::string> writes;

  bool OpenKey(PointerKey key) override { return store_.OpenKey(key); }
  std::optional<std::string> ReadValue(PointerKey key, std::string_view name) override {
    return store_.ReadValue(key, name);
  }
  bool WriteValue(PointerKey key, std::string_view name, std::string_view text) override {
    writes.push_back(std::string(PointerKeyPath(key)) + "\\" + std::string(name));
    return store_.WriteValue(key, name, text);
  }
  ApplyOutcome ApplyPointerSpeed(int speed) override { return store_.ApplyPointerSpeed(speed); }
  ApplyOutcome ApplyPrecision(int t1, int t2, int a) override { return store_.ApplyPrecision(t1, t2, a); }
  ApplyOutcome ApplyDoubleClickTime(int ms) override { return store_.ApplyDoubleClickTime(ms); }
  ApplyOutcome ApplyWheelScrollLines(int lines) override { return store_.ApplyWheelScrollLines(lines); }

 private:
  PointerStore& store_;
};

// The six values as the test found them, put back afterwards.
class WindowsPointerStoreTest : public ::testing::Test {
 protected:
  struct Saved {
    PointerKey key;
    std::string_view name;
    std::optional<std::string> text;
  };

  void SetUp() override {
    for (const auto& [key, name] : kValues) saved_.push_back({key, name, RegistryText(key, name)});
  }
  void TearDown() override {
    WindowsPointerStore store;
    for (const auto& value : saved_) {
      if (value.text) (void)store.WriteValue(value.key, value.name, *value.text);
    }
  }

  std::vector<SystemParametersCall> calls_;
  WindowsPointerStore store_{[this](const SystemParametersCall& call) {
    calls_.push_back(call);
    return true;
  }};

  static constexpr std::pair<PointerKey, std::string_view> kValues[] = {
      {PointerKey::Mouse, kMouseSensitivityValue}, {PointerKey::Mouse, kMouseSpeedValue},
      {PointerKey::Mouse, kMouseThreshold1Value},  {PointerKey::Mouse, kMouseThreshold2Value},
      {PointerKey::Mouse, kDoubleClickSpeedValue}, {PointerKey::Desktop, kWheelScrollLinesValue},
  };

 private:
  std::vector<Saved> saved_;
};

TEST_F(WindowsPointerStoreTest, WritesTheSixValuesInOrderAndReadsThemBack) {
  ASSERT_TRUE(store_.OpenKey(PointerKey::Mouse)) << "Wine's HKCU\\Control Panel\\Mouse is missing";
  ASSERT_TRUE(store_.OpenKey(PointerKey::Desktop)) << "Wine's HKCU\\Control Panel\\Desktop is missing";

  PointerParameters params;
  SetSpeedLevel(params, 4);        // pointer speed 6
  SetPrecision(params, true);      // 1, 6, 10
  SetDoubleClickLevel(params, 9);  // 340 ms
  SetScrollLevel(params, 5);       // 5 lines
  WriteOrder order(store_);
  const PointerApplyReport report = WriteAndApplyPointerParameters(order, params);
  EXPECT_TRUE(report.all_stored());

  EXPECT_EQ(order.writes, (std::vector<std::string>{
                              "Control Panel\\Mouse\\MouseSensitivity",
                              "Control Panel\\Mouse\\MouseSpeed",
                              "Control Panel\\Mouse\\MouseThreshold1",
                              "Control Panel\\Mouse\\MouseThreshold2",
                              "Control Panel\\Mouse\\DoubleClickSpeed",
                              "Control Panel\\Desktop\\WheelScrollLines",
                          }));
  const std::vector<std::optional<std::string>> expected = {"6", "1", "6", "10", "340", "5"};
  for (std::size_t i = 0; i < std::size(kValues); ++i) {
    EXPECT_EQ(RegistryText(kValues[i].first, kValues[i].second), expected[i]) << kValues[i].second;
  }
  EXPECT_EQ(ReadPointerParameters(store_, PointerParameters{}), params);
}

TEST_F(WindowsPointerStoreTest, OneScreenScrollingIsStoredAsMinusOneAndReadBack) {
  PointerParameters params;
  SetOneScreen(params, true);
  (void)WriteAndApplyPointerParameters(store_, params);
  EXPECT_EQ(RegistryText(PointerKey::Desktop, kWheelScrollLinesValue), "-1");
  EXPECT_TRUE(ReadPointerParameters(store_, PointerParameters{}).one_screen());
}

TEST_F(WindowsPointerStoreTest, AppliesWithTheFourSystemParametersCallsInOrder) {
  PointerParameters params;
  SetSpeedLevel(params, 11);       // 20
  SetPrecision(params, false);     // 0, 0, 0
  SetDoubleClickLevel(params, 1);  // 900 ms
  SetOneScreen(params, true);
  (void)WriteAndApplyPointerParameters(store_, params);
  EXPECT_EQ(calls_, (std::vector<SystemParametersCall>{
                        {SPI_SETMOUSESPEED, 0, 20, {}, SPIF_SENDCHANGE},
                        {SPI_SETMOUSE, 0, 0, {0, 0, 0}, SPIF_SENDCHANGE},
                        {SPI_SETDOUBLECLICKTIME, 900, 0, {}, SPIF_SENDCHANGE},
                        {SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, 0, {}, SPIF_UPDATEINIFILE},
                    }));

  calls_.clear();
  SetPrecision(params, true);
  (void)WriteAndApplyPointerParameters(store_, params);
  ASSERT_EQ(calls_.size(), 4u);
  EXPECT_EQ(calls_[1].pointed_to, (std::vector<int>{6, 10, 1}));  // threshold 1, threshold 2, acceleration
}

TEST_F(WindowsPointerStoreTest, ACallTheSystemRefusesIsReportedAsFailed) {
  WindowsPointerStore refusing([](const SystemParametersCall&) { return false; });
  EXPECT_EQ(refusing.ApplyDoubleClickTime(500), ApplyOutcome::Failed);
}

}  // namespace
}  // namespace zelko
