#include "sim/sim_options.h"

#include <gtest/gtest.h>

namespace zelko::sim {
namespace {

TEST(SimOptions, EmptyTextsGiveAHealthyMouse) {
  const auto result = ParseSimOptions({});
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.faults.chip_code, 0x75);
  EXPECT_EQ(result.faults.signature, 0xAA);
  EXPECT_TRUE(result.faults.status_flag);
  EXPECT_FALSE(result.faults.identity.has_value());
  EXPECT_TRUE(result.faults.dropped_writes.empty());
}

TEST(SimOptions, ParsesEveryKnob) {
  SimOptionTexts texts;
  texts.ids = "1234:0xABCD";
  texts.chip = "0x35";
  texts.signature = "55";
  texts.no_flag = true;
  texts.identity = "0x12,34";
  texts.stuck = "40,0x7FF";
  texts.sticky = "0x41:2";
  texts.latency_ms = "7";
  texts.not_ready = "3";
  texts.ack = "0xEE:4";
  texts.no_answer = true;
  texts.unacked_chunks = "0,341";
  texts.unplug_after = "100";
  texts.buttons = "1FF";
  texts.refuse = "8,0x02";
  const auto result = ParseSimOptions(texts);
  ASSERT_TRUE(result.ok()) << result.error;
  const SimFaults& f = result.faults;
  EXPECT_EQ(f.vendor_id, 0x1234);
  EXPECT_EQ(f.product_id, 0xABCD);
  EXPECT_EQ(f.chip_code, 0x35);
  EXPECT_EQ(f.signature, 0x55);
  EXPECT_FALSE(f.status_flag);
  EXPECT_EQ(f.identity, (std::array<std::uint8_t, 2>{0x12, 0x34}));
  EXPECT_EQ(f.dropped_writes, (std::map<std::uint16_t, int>{{0x40, kNeverKeeps}, {0x41, 2}, {0x7FF, kNeverKeeps}}));
  EXPECT_EQ(f.latency_ms, 7u);
  EXPECT_EQ(f.not_ready_polls, 3);
  EXPECT_EQ(f.ack_value, 0xEE);
  EXPECT_EQ(f.ack_value_replies, 4);
  EXPECT_TRUE(f.no_answer);
  EXPECT_EQ(f.unacknowledged_read_chunks, (std::set<int>{0, 341}));
  EXPECT_EQ(f.unplug_after_reports, 100);
  EXPECT_EQ(f.button_state, 0x1FF);
  EXPECT_EQ(f.refused_commands, (std::set<std::uint8_t>{0x02, 0x08}));
}

TEST(SimOptions, BadTextsNameTheOption) {
  struct Case {
    const char* name;
    SimOptionTexts texts;
    const char* option;
  };
  auto with = [](auto setter) {
    SimOptionTexts t;
    setter(t);
    return t;
  };
  const Case cases[] = {
      {"chip not hex", with([](auto& t) { t.chip = "zz"; }), "--sim-chip"},
      {"chip too big", with([](auto& t) { t.chip = "0x100"; }), "--sim-chip"},
      {"identity one byte", with([](auto& t) { t.identity = "12"; }), "--sim-identity"},
      {"identity three bytes", with([](auto& t) { t.identity = "1,2,3"; }), "--sim-identity"},
      {"stuck past memory", with([](auto& t) { t.stuck = "800"; }), "--sim-stuck"},
      {"stuck empty entry", with([](auto& t) { t.stuck = "40,"; }), "--sim-stuck"},
      {"sticky without count", with([](auto& t) { t.sticky = "40"; }), "--sim-sticky"},
      {"latency not decimal", with([](auto& t) { t.latency_ms = "0x5"; }), "--sim-latency"},
      {"ack without count", with([](auto& t) { t.ack = "EE"; }), "--sim-ack"},
      {"chunk past the image", with([](auto& t) { t.unacked_chunks = "342"; }), "--sim-unacked-chunks"},
      {"ids zero", with([](auto& t) { t.ids = "0:1"; }), "--sim-ids"},
      {"refused code not hex", with([](auto& t) { t.refuse = "8,x"; }), "--sim-refuse"},
      {"button ten", with([](auto& t) { t.buttons = "10@0+5"; }), "--sim-buttons"},
      {"button zero", with([](auto& t) { t.buttons = "0@0+5"; }), "--sim-buttons"},
      {"press without duration", with([](auto& t) { t.buttons = "3@1000"; }), "--sim-buttons"},
      {"press of no time", with([](auto& t) { t.buttons = "3@1000+0"; }), "--sim-buttons"},
      {"press without buttons", with([](auto& t) { t.buttons = "@1000+5"; }), "--sim-buttons"},
      {"buttons joined badly", with([](auto& t) { t.buttons = "1++2@0+5"; }), "--sim-buttons"},
      {"second press bad", with([](auto& t) { t.buttons = "3@0+5,x@1+1"; }), "--sim-buttons"},
      {"start not decimal", with([](auto& t) { t.buttons = "3@0x10+5"; }), "--sim-buttons"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = ParseSimOptions(c.texts);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error.rfind(c.option, 0), 0u) << result.error;
  }
}

TEST(SimOptions, ButtonScriptListsEachPress) {
  SimOptionTexts texts;
  texts.buttons = "3@1000+200,1+2@4000+100,9@0+1";
  const auto result = ParseSimOptions(texts);
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.faults.button_state, 0);
  EXPECT_EQ(result.faults.button_presses,
            (ButtonScript{{0x004, 1000, 200}, {0x003, 4000, 100}, {0x100, 0, 1}}));
}

}  // namespace
}  // namespace zelko::sim
