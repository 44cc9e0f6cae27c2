#include "macros/device_slots.h"

#include <gtest/gtest.h>

#include "image/workspace.h"
#include "macros/macro_name_codec.h"
#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

using testing_support::ContentOf;

void PutSlot(BaseMacroArea& area, int slot, const MacroName& name, const MacroContent& content) {
  const std::size_t at = static_cast<std::size_t>(slot - 1) * kMacroRecordSize;
  std::copy(name.begin(), name.end(), area.begin() + static_cast<std::ptrdiff_t>(at));
  std::copy(content.begin(), content.end(), area.begin() + static_cast<std::ptrdiff_t>(at + kMacroNameSize));
}

TEST(DeviceSlots, LoadingChecksEverySlotAndWritesTheCheckedTablesBack) {
  BaseMacroArea area{};
  PutSlot(area, 1, MacroNameStrToUnicode("good"), ContentOf({0xA1, 0x21}, 1));
  MacroContent bad_sum = ContentOf({0xA1, 0x21});
  bad_sum[4] ^= 0x01;
  PutSlot(area, 2, MacroNameStrToUnicode("bad sum"), bad_sum);
  MacroName erased_name;
  erased_name.fill(0xFF);
  MacroContent erased;
  erased.fill(0xFF);
  PutSlot(area, 3, erased_name, erased);
  MacroContent too_long = ContentOf({0xA1});
  too_long[kLengthOffset] = 223;
  PutSlot(area, 4, MacroNameStrToUnicode("long"), too_long);

  DeviceMacroSlots slots;
  ReadAndRefreshMacro(area, slots);
  EXPECT_EQ(slots.contents[0], ContentOf({0xA1, 0x21}, 1));
  for (int i : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(slots.contents[static_cast<std::size_t>(i)], MacroContent{}) << i;
  EXPECT_EQ(slots.names[1], MacroNameStrToUnicode("bad sum"));  // the name stays
  EXPECT_EQ(slots.names[2], erased_name);
  EXPECT_EQ(slots.shown_names,
            (std::array<std::string, 7>{"good", "bad sum", "", "long", "", "", ""}));
  EXPECT_EQ(slots.ShownName(1), "good");
  EXPECT_EQ(slots.ShownName(8), "");

  BaseMacroArea joined{};
  RefreshBaseMacroBuf(slots, joined);
  EXPECT_EQ(area, joined);
}

TEST(DeviceSlots, ASlotFileFillsTheSlotsItReaches) {
  BaseMacroArea area{};
  DeviceMacroSlots slots;
  PutSlot(area, 3, MacroNameStrToUnicode("kept"), ContentOf({0xA2}));
  BaseMacroArea file_area{};
  PutSlot(file_area, 1, MacroNameStrToUnicode("new"), ContentOf({0xA1}));
  std::vector<std::uint8_t> file(file_area.begin(), file_area.begin() + 2 * 256 + 100);  // 2 slots and a part
  file[2 * 256 + 1] = 'X';
  EXPECT_EQ(LoadSlotFile(file, area, slots), 2u);
  EXPECT_EQ(slots.ShownName(1), "new");
  EXPECT_EQ(slots.ShownName(2), "");
  EXPECT_EQ(slots.ShownName(3), "kept");
  EXPECT_EQ(slots.contents[2], ContentOf({0xA2}));
}

TEST(DeviceSlots, EveryImageLoadChecksTheSlotsAndTheSlotTablesFollow) {
  Workspace workspace;
  DataBuf image{};
  image.fill(0xFF);  // an erased memory: every slot fails its check
  const MacroName name = MacroNameStrToUnicode("dev");
  const MacroContent content = ContentOf({0xA1, 0x21});
  std::copy(name.begin(), name.end(), image.begin() + 0x300);
  std::copy(content.begin(), content.end(), image.begin() + 0x320);
  (void)workspace.LoadImage(image, ImageSource::kProfileFile);
  const DeviceMacroSlots slots = ReadDeviceSlots(workspace.base_macro_area);
  EXPECT_EQ(slots.ShownName(3), "dev");
  EXPECT_EQ(slots.contents[2], content);
  EXPECT_EQ(slots.contents[0], MacroContent{});
  // The area holds the checked slots, so the next write carries no slot that failed.
  workspace.PackImage();
  EXPECT_TRUE(std::all_of(workspace.data_buf.begin() + 0x120, workspace.data_buf.begin() + 0x200,
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_TRUE(std::equal(content.begin(), content.end(), workspace.data_buf.begin() + 0x320));
}

std::vector<std::string> CodesUsing(std::initializer_list<int> used_slots) {
  std::vector<std::string> codes(18, "010100");
  std::size_t i = 0;
  for (int slot : used_slots) codes[i++ * 2 + 1] = (slot % 2 ? "06" : "0E") + std::string("0") + std::to_string(slot) + "21";
  return codes;
}

TEST(DeviceSlots, SlotChoice) {
  DeviceMacroSlots slots;
  const MacroName mine = MacroNameStrToUnicode("mine");
  DeviceMacroSlots named_in_5 = slots;
  named_in_5.names[4] = mine;
  DeviceMacroSlots named_twice = named_in_5;
  named_twice.names[6] = mine;
  struct Case {
    std::initializer_list<int> used;
    const DeviceMacroSlots* slots;
    int expected;
  };
  const Case cases[] = {
      {{}, &slots, 1},
      {{1, 2}, &slots, 3},
      {{1, 2}, &named_in_5, 5},    // its own name, whether in use or not
      {{1, 2}, &named_twice, 3},   // the name must be found exactly once
      {{2, 3}, &slots, 1},
      {{1, 3}, &slots, 2},
      {{3, 4, 5}, &slots, 1},
      {{1, 2, 4, 5}, &slots, 3},
      {{1, 2, 5}, &named_in_5, 3}, // a gap: the name is not looked for
      {{2, 4, 6}, &slots, 1},
      {{1, 2, 3, 4, 5, 6, 7}, &slots, 8},
      {{1, 2, 3, 4, 5, 6, 7}, &named_in_5, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindBaseMacroIndex(*c.slots, mine, CodesUsing(c.used)), c.expected)
        << "slots in use: " << c.used.size();
  }
  // The fire key code and other types name no slot.
  std::vector<std::string> codes(18, "0600F0");
  codes[0] = "060821";
  EXPECT_EQ(FindBaseMacroIndex(slots, mine, codes), 1);
}

TEST(DeviceSlots, FillingASlotGivesItsCode) {
  DeviceMacroSlots slots;
  BaseMacroArea area{};
  const MacroRecord stop{MacroNameStrToUnicode("stop"), ContentOf({0xA1, 0x21}, kReleaseStop)};
  EXPECT_EQ(FillBaseMacroSlot(stop, 3, slots, area), "0E0321");
  EXPECT_EQ(slots.ShownName(3), "stop");
  EXPECT_EQ(area[2 * 256 + 1], 's');
  EXPECT_EQ(area[2 * 256 + 32 + 1], 0x03);
  const MacroRecord go{MacroNameStrToUnicode("go"), ContentOf({0xA1, 0x21}, kReleaseContinue)};
  EXPECT_EQ(FillBaseMacroSlot(go, 7, slots, area), "060721");
  const MacroRecord empty{MacroNameStrToUnicode("empty"), {}};
  EXPECT_EQ(FillBaseMacroSlot(empty, 1, slots, area), "060121");
}

TEST(DeviceSlots, MacrosWithoutASlotCodeAreNotAssigned) {
  DeviceMacroSlots slots;
  BaseMacroArea area{};
  MacroContent bad_sum = ContentOf({0xA1});
  bad_sum[3] ^= 0xFF;
  MacroContent erased;
  erased.fill(0xFF);
  for (const MacroContent& content : {ContentOf({0xA1}, 2), ContentOf({0xA1}, 0xFF), bad_sum, erased}) {
    EXPECT_TRUE(MacroAssignProblem(content));
    EXPECT_EQ(FillBaseMacroSlot({MacroNameStrToUnicode("x"), content}, 1, slots, area), std::nullopt);
  }
  EXPECT_EQ(area, BaseMacroArea{});
  EXPECT_EQ(slots.ShownName(1), "");
  EXPECT_EQ(FillBaseMacroSlot({MacroNameStrToUnicode("x"), ContentOf({0xA1})}, 8, slots, area), std::nullopt);
}

}  // namespace
}  // namespace zelko
