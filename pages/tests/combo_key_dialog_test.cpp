#include <gtest/gtest.h>

#include "pages/combo_key_dialog.h"

namespace zelko {
namespace {

constexpr int kVkA = 'A';
constexpr int kVkB = 'B';

bool Press(ComboKeyDialogModel& dialog, int virtual_key) {
  return dialog.KeyPressed(virtual_key, false, false, false);
}

TEST(ComboKeyDialog, CtrlShiftAndAGive020304) {
  ComboKeyDialogModel dialog;
  dialog.SetModifier(ComboModifier::kCtrl, true);
  EXPECT_EQ(dialog.field(), "Ctrl");
  dialog.SetModifier(ComboModifier::kShift, true);
  EXPECT_EQ(dialog.field(), "Ctrl+Shift");
  EXPECT_TRUE(Press(dialog, kVkA));
  EXPECT_EQ(dialog.field(), "Ctrl+Shift+A");
  EXPECT_EQ(dialog.Confirm(), (ComboHandOver{"Ctrl+Shift+A", "020304", true}));
}

TEST(ComboKeyDialog, ASecondKeyReplacesTheFirst) {
  ComboKeyDialogModel dialog;
  EXPECT_TRUE(Press(dialog, kVkA));
  EXPECT_EQ(dialog.field(), "A");
  EXPECT_TRUE(Press(dialog, kVkB));
  EXPECT_EQ(dialog.field(), "B");
  EXPECT_EQ(dialog.Confirm().code, "020005");
  dialog.SetModifier(ComboModifier::kAlt, true);
  EXPECT_EQ(dialog.field(), "Alt+B");
  EXPECT_TRUE(Press(dialog, kVkA));
  EXPECT_EQ(dialog.field(), "Alt+A");
}

TEST(ComboKeyDialog, AKeyWithShiftHeldAddsNothingAndDropsTheKeyBefore) {
  ComboKeyDialogModel dialog;
  EXPECT_FALSE(dialog.KeyPressed(kVkA, true, false, false));
  EXPECT_EQ(dialog.field(), "");
  dialog.SetModifier(ComboModifier::kCtrl, true);
  EXPECT_TRUE(Press(dialog, kVkA));
  EXPECT_EQ(dialog.field(), "Ctrl+A");
  EXPECT_FALSE(dialog.KeyPressed(kVkB, false, true, false));
  EXPECT_EQ(dialog.field(), "Ctrl");
  EXPECT_FALSE(dialog.keyAccepted());
  EXPECT_EQ(dialog.Confirm().code, "020100");
}

TEST(ComboKeyDialog, ModifierKeysAndWindowsKeysAreRefused) {
  for (const int key : {16, 17, 18, 91, 92, 160, 161, 162, 163, 164, 165}) {
    ComboKeyDialogModel dialog;
    EXPECT_FALSE(Press(dialog, key)) << key;
    EXPECT_EQ(dialog.field(), "") << key;
  }
}

TEST(ComboKeyDialog, UncheckingRemovesTheModifierFromTheField) {
  ComboKeyDialogModel dialog;
  dialog.SetModifier(ComboModifier::kCtrl, true);
  dialog.SetModifier(ComboModifier::kShift, true);
  ASSERT_TRUE(Press(dialog, kVkA));
  ComboKeyDialogModel second = dialog;
  dialog.SetModifier(ComboModifier::kShift, false);
  EXPECT_EQ(dialog.field(), "Ctrl+A");
  second.SetModifier(ComboModifier::kCtrl, false);
  EXPECT_EQ(second.field(), "Shift+A");
  second.SetModifier(ComboModifier::kShift, false);
  EXPECT_EQ(second.field(), "A");
  EXPECT_EQ(second.Confirm().code, "020004");
  // A modifier alone goes with its box.
  ComboKeyDialogModel alone;
  alone.SetModifier(ComboModifier::kWin, true);
  EXPECT_EQ(alone.field(), "Win");
  alone.SetModifier(ComboModifier::kWin, false);
  EXPECT_EQ(alone.field(), "");
}

TEST(ComboKeyDialog, BoxesKeepTheirOrderWhateverTheClickOrder) {
  ComboKeyDialogModel dialog;
  dialog.SetModifier(ComboModifier::kWin, true);
  dialog.SetModifier(ComboModifier::kAlt, true);
  dialog.SetModifier(ComboModifier::kCtrl, true);
  ASSERT_TRUE(Press(dialog, 'D'));
  EXPECT_EQ(dialog.field(), "Ctrl+Alt+Win+D");
  EXPECT_EQ(dialog.Confirm().code, "020D07");
}

TEST(ComboKeyDialog, ConfirmWithNothingEnteredGives020000AndNoCaption) {
  ComboKeyDialogModel dialog;
  EXPECT_EQ(dialog.Confirm(), (ComboHandOver{"", "020000", true}));
}

TEST(ComboKeyDialog, AnUnlistedKeyIsNoneWithUsageZero) {
  ComboKeyDialogModel dialog;
  EXPECT_TRUE(Press(dialog, 95));
  EXPECT_EQ(dialog.field(), "None");
  EXPECT_EQ(dialog.Confirm().code, "020000");
}

TEST(ComboKeyDialog, ClearEmptiesEverything) {
  ComboKeyDialogModel dialog;
  dialog.SetModifier(ComboModifier::kCtrl, true);
  ASSERT_TRUE(Press(dialog, kVkA));
  EXPECT_EQ(dialog.Clear(), ComboHandOver{});
  EXPECT_EQ(dialog.field(), "");
  EXPECT_FALSE(dialog.checked(ComboModifier::kCtrl));
  EXPECT_FALSE(dialog.keyAccepted());
  EXPECT_EQ(dialog.Confirm().code, "020000");
}

TEST(ComboKeyDialog, KeysGoThroughTheKeyTables) {
  ComboKeyDialogModel dialog;
  ASSERT_TRUE(Press(dialog, 13));
  EXPECT_EQ(dialog.field(), "Enter");
  EXPECT_EQ(dialog.Confirm().code, "020028");
  ASSERT_TRUE(Press(dialog, 96));
  EXPECT_EQ(dialog.field(), "0 (numeric pad)");
  EXPECT_EQ(dialog.Confirm().code, "020062");
  ASSERT_TRUE(Press(dialog, 112));
  EXPECT_EQ(dialog.field(), "F1");
  EXPECT_EQ(dialog.Confirm().code, "02003A");
}

}  // namespace
}  // namespace zelko
