#include "macros/macro_recorder.h"

#include <gtest/gtest.h>

#include <thread>

#include "macros/macro_name_codec.h"
#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

constexpr int kVkA = 0x41;
constexpr int kVkB = 0x42;
constexpr int kVkCtrl = 17;
constexpr int kVk255 = 255;

class MacroRecorderTest : public ::testing::Test {
 protected:
  MacroRecorderTest()
      : editor_(library_, [this](const PCMacroLibrary&) { return ++saves_, true; }),
        recorder_(editor_, clock_, [this](bool insert) { auto_stops_.push_back(insert); }) {
    library_.names[0] = MacroNameStrToUnicode("m");
    editor_.Open(0);
  }

  void Mode(DelayMode mode, int delay_ms = 0) {
    editor_.delay_options().page_mode = mode;
    editor_.delay_options().page_delay_ms = delay_ms;
  }
  void Key(int vk, KeyState state, std::uint64_t after_ms = 0) {
    clock_.Advance(after_ms);
    recorder_.TakeKey(vk, state);
    recorder_.ProcessPending();
  }
  void Tap(int vk, std::uint64_t after_ms = 0) {
    Key(vk, KeyState::kFirstPress, after_ms);
    Key(vk, KeyState::kRelease, after_ms);
  }
  void Button(MacroMouseButton button, bool pressed, std::uint64_t after_ms = 0) {
    clock_.Advance(after_ms);
    recorder_.TakeMouseButton(button, pressed);
    recorder_.ProcessPending();
  }
  // Mouse releases of the right button: one byte each, no delay lines.
  void FillWithReleases(int count) {
    for (int i = 0; i < count; ++i) Button(MacroMouseButton::kRight, false);
  }
  const MacroLines& Lines() const { return editor_.lines(); }

  PCMacroLibrary library_;
  int saves_ = 0;
  VirtualClock clock_;
  MacroEditor editor_;
  std::vector<bool> auto_stops_;
  MacroRecorder recorder_;
};

TEST_F(MacroRecorderTest, RecordedDelaysStandBeforeEveryEventButTheFirst) {
  Mode(DelayMode::kRecorded);
  ASSERT_TRUE(recorder_.StartNormal());
  EXPECT_EQ(Lines(), MacroLines{"10"});  // the header comes at once
  Tap(kVkA, 120);
  Tap(kVkB, 300);
  EXPECT_EQ(Lines(), (MacroLines{"10", "1 A CODE:8204", "0 120", "2 A CODE:0204", "0 300", "1 B CODE:8205",
                                 "0 300", "2 B CODE:0205"}));
  EXPECT_EQ(recorder_.StopNormal(), EditOutcome::kDone);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(ContentToMacroLines(library_.contents[0]).lines,
            (MacroLines{"10", "1 A CODE:8204", "0 120", "2 A CODE:0204", "0 296", "1 B CODE:8205", "0 296",
                        "2 B CODE:0205"}));
}

TEST_F(MacroRecorderTest, TypematicRepeatsAreIgnoredButASecondKeyIsTaken) {
  Mode(DelayMode::kNone);
  ASSERT_TRUE(recorder_.StartNormal());
  Key(kVkA, KeyState::kFirstPress);
  Key(kVkA, KeyState::kRepeatPress);
  Key(kVkA, KeyState::kRepeatPress);
  Key(kVkCtrl, KeyState::kRepeatPress);  // pressed while A is held
  Key(kVkCtrl, KeyState::kRelease);
  Key(kVk255, KeyState::kFirstPress);    // a key the tables name "255"
  Key(kVkA, KeyState::kRelease);
  EXPECT_EQ(Lines(), (MacroLines{"00", "1 A CODE:8204", "1 Ctrl CODE:8101", "2 Ctrl CODE:0101", "2 A CODE:0204"}));
  EXPECT_EQ(recorder_.bytes_used(), 8);
}

TEST_F(MacroRecorderTest, DefaultDelayOfZeroGivesKeyboardDelaysOnly) {
  Mode(DelayMode::kDefault, 0);
  ASSERT_TRUE(recorder_.StartNormal());
  Tap(kVkA, 50);
  Button(MacroMouseButton::kLeft, true, 50);
  Button(MacroMouseButton::kLeft, false, 50);
  EXPECT_EQ(Lines(), (MacroLines{"010", "1 A CODE:8204", "0 0", "2 A CODE:0204", "1 LeftKey CODE:00A1",
                                 "2 LeftKey CODE:0021"}));
  EXPECT_EQ(recorder_.bytes_used(), 8);
}

TEST_F(MacroRecorderTest, LongPausesAreCappedAndSplitByTheSource) {
  Mode(DelayMode::kRecorded);
  ASSERT_TRUE(recorder_.StartNormal());
  Key(kVkA, KeyState::kFirstPress);
  Key(kVkA, KeyState::kRelease, 15000);
  Button(MacroMouseButton::kRight, true, 15000);
  EXPECT_EQ(Lines(), (MacroLines{"10", "1 A CODE:8204", "0 10200", "2 A CODE:0204", "0 2040", "0 2040",
                                 "0 2040", "0 2040", "0 2040", "1 RightKey CODE:00A2"}));
  EXPECT_EQ(recorder_.bytes_used(), 2 + 10 + 2 + 10 + 1);
}

TEST_F(MacroRecorderTest, LeftClicksOnTheRecordButtonAreNotTaken) {
  Mode(DelayMode::kNone);
  ASSERT_TRUE(recorder_.StartNormal());
  recorder_.SetOverRecordButton(true);
  Button(MacroMouseButton::kLeft, true);
  Button(MacroMouseButton::kLeft, false);
  Button(MacroMouseButton::kRight, true);
  EXPECT_EQ(Lines(), (MacroLines{"00", "1 RightKey CODE:00A2"}));
}

TEST_F(MacroRecorderTest, KeyPressCapacityDependsOnTheDelayMode) {
  struct Case {
    DelayMode mode;
    int used_before;
    bool taken;
  };
  const Case cases[] = {
      {DelayMode::kNone, 216, true},
      {DelayMode::kNone, 217, false},
      {DelayMode::kRecorded, 210, true},
      {DelayMode::kRecorded, 211, false},
  };
  for (const Case& c : cases) {
    Mode(c.mode);
    ASSERT_TRUE(recorder_.StartNormal());
    FillWithReleases(c.used_before);
    ASSERT_EQ(recorder_.bytes_used(), c.used_before);
    Key(kVkA, KeyState::kFirstPress);
    EXPECT_EQ(Lines().back() == "1 A CODE:8204", c.taken) << c.used_before;
    EXPECT_EQ(recorder_.record_blocked(), !c.taken) << c.used_before;
    recorder_.StopNormal();
  }
}

TEST_F(MacroRecorderTest, AReleaseAt220StopsTheRecordingUnrecorded) {
  Mode(DelayMode::kNone);
  ASSERT_TRUE(recorder_.StartNormal());
  FillWithReleases(220);
  Key(kVkA, KeyState::kRelease);
  EXPECT_FALSE(recorder_.recording());
  EXPECT_EQ(auto_stops_, std::vector<bool>{false});
  EXPECT_EQ(Lines().size(), 221u);
  EXPECT_EQ(library_.contents[0][kLengthOffset], 221);
  EXPECT_EQ(saves_, 1);
  Button(MacroMouseButton::kRight, false);  // nothing is taken after the stop
  EXPECT_EQ(Lines().size(), 221u);
}

TEST_F(MacroRecorderTest, ARefusedPressBlocksTheKeyboardButNotTheMouse) {
  Mode(DelayMode::kNone);
  ASSERT_TRUE(recorder_.StartNormal());
  FillWithReleases(217);
  Key(kVkA, KeyState::kFirstPress);  // refused
  Key(kVkA, KeyState::kRelease);
  Key(kVkB, KeyState::kFirstPress);
  Button(MacroMouseButton::kMiddle, false);  // 217 <= 220: taken
  EXPECT_EQ(Lines().back(), "2 MiddleKey CODE:0024");
  Button(MacroMouseButton::kMiddle, true);   // 218 > 216: refused, the macro now counts as full
  Button(MacroMouseButton::kMiddle, false);
  EXPECT_EQ(Lines().back(), "2 MiddleKey CODE:0024");
  EXPECT_EQ(Lines().size(), 219u);
  EXPECT_GT(recorder_.bytes_used(), kMacroCapacity);
  EXPECT_TRUE(recorder_.recording());
}

TEST_F(MacroRecorderTest, ARecordingPastTheContentIsCutAtTheStop) {
  Mode(DelayMode::kRecorded);
  ASSERT_TRUE(recorder_.StartNormal());
  for (int i = 0; i < 20 && recorder_.recording(); ++i) Tap(kVkA, 11000);
  recorder_.StopNormal();
  const DecodedMacro stored = ContentToMacroLines(library_.contents[0]);
  EXPECT_TRUE(ContentChecksumHolds(library_.contents[0]));
  EXPECT_LE(library_.contents[0][kLengthOffset], kMaxLengthByte);
  // The lines shown are the lines stored, up to the merging of delays.
  EXPECT_EQ(EncodeMacroLines(Lines(), 0).content, library_.contents[0]);
  EXPECT_FALSE(stored.lines.empty());
}

TEST_F(MacroRecorderTest, InsertRecordingPlacesLinesFrontOrBackThenCancelRestores) {
  struct Case {
    InsertChoice choice;
    MacroLines expected;
  };
  const Case cases[] = {
      {InsertChoice::kKeyFront, {"00", "1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"}},
      {InsertChoice::kKeyBack, {"00", "1 A CODE:8204", "2 A CODE:0204", "1 B CODE:8205", "2 B CODE:0205"}},
  };
  for (const Case& c : cases) {
    library_.contents[0] = MacroLinesToContent({"00", "1 A CODE:8204", "2 A CODE:0204"}, 0);
    editor_.Open(0);
    editor_.SelectRow(1);
    editor_.OpenInsertPanel();
    EXPECT_FALSE(recorder_.StartInsert());  // "Insert Delay Before" records nothing
    editor_.ChooseInsert(c.choice);
    editor_.delay_options().panel_mode = DelayMode::kNone;
    ASSERT_TRUE(recorder_.StartInsert());
    EXPECT_EQ(recorder_.bytes_used(), 5);  // the stored length byte
    Tap(kVkB);
    recorder_.StopInsert();
    EXPECT_EQ(Lines(), c.expected);

    editor_.InsertCancel();
    EXPECT_EQ(Lines(), (MacroLines{"00", "1 A CODE:8204", "2 A CODE:0204"}));
    EXPECT_EQ(editor_.selected_row(), 1u);
  }
  // Confirmed, the inserted lines are stored.
  editor_.SelectRow(0);
  editor_.OpenInsertPanel();
  editor_.ChooseInsert(InsertChoice::kKeyBack);
  editor_.delay_options().panel_mode = DelayMode::kNone;
  ASSERT_TRUE(recorder_.StartInsert());
  Button(MacroMouseButton::kLeft, true);
  recorder_.StopInsert();
  ASSERT_EQ(editor_.InsertOk({}), EditOutcome::kDone);
  EXPECT_EQ(ContentToMacroLines(library_.contents[0]).lines,
            (MacroLines{"00", "1 A CODE:8204", "1 LeftKey CODE:00A1", "2 A CODE:0204"}));
}

TEST_F(MacroRecorderTest, InsertRecordingNeedsRoomAndARow) {
  MacroLines full{"00"};
  for (int i = 0; i < 110; ++i) full.push_back("1 A CODE:8204");
  library_.contents[0] = MacroLinesToContent(full, 0);  // length byte 221
  editor_.Open(0);
  editor_.OpenInsertPanel();
  editor_.ChooseInsert(InsertChoice::kKeyFront);
  EXPECT_FALSE(recorder_.StartInsert());
  library_.contents[0] = MacroLinesToContent({"00", "1 A CODE:8204"}, 0);
  editor_.Open(0);
  editor_.SelectRow(std::nullopt);
  editor_.OpenInsertPanel();
  editor_.ChooseInsert(InsertChoice::kKeyFront);
  EXPECT_FALSE(recorder_.StartInsert());
  EXPECT_FALSE(recorder_.recording());
}

TEST_F(MacroRecorderTest, EventsOfBothSourcesKeepTheOrderTheyWereTakenIn) {
  Mode(DelayMode::kNone);
  ASSERT_TRUE(recorder_.StartNormal());
  recorder_.TakeMouseButton(MacroMouseButton::kRight, true);
  recorder_.TakeKey(kVkA, KeyState::kFirstPress);
  recorder_.TakeMouseButton(MacroMouseButton::kRight, false);
  recorder_.TakeKey(kVkA, KeyState::kRelease);
  recorder_.ProcessPending();
  EXPECT_EQ(Lines(), (MacroLines{"00", "1 RightKey CODE:00A2", "1 A CODE:8204", "2 RightKey CODE:0022",
                                 "2 A CODE:0204"}));

  // Two producer threads at once: every event arrives, each source's own order kept.
  ASSERT_EQ(recorder_.StopNormal(), EditOutcome::kDone);
  ASSERT_TRUE(recorder_.StartNormal());
  std::thread keys([&] {
    for (int i = 0; i < 40; ++i) recorder_.TakeKey(kVkA, i % 2 ? KeyState::kRelease : KeyState::kFirstPress);
  });
  std::thread mouse([&] {
    for (int i = 0; i < 40; ++i) recorder_.TakeMouseButton(MacroMouseButton::kMiddle, i % 2 == 0);
  });
  keys.join();
  mouse.join();
  recorder_.ProcessPending();
  EXPECT_EQ(Lines().size(), 81u);
  EXPECT_EQ(recorder_.bytes_used(), 40 * 2 + 40);
}

}  // namespace
}  // namespace zelko
