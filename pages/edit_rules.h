// The rules the numeric edit boxes apply to their own text on every change
// (and, for two of them, on leaving). Each takes the text just typed and
// returns the text the edit shows afterwards. Text that is not a number is
// left alone; the encoder then keeps the field's previous value.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

// An edit's text as a number: an optional '-' and decimal digits, nothing
// else. Very long digit runs saturate instead of overflowing.
std::optional<long> EditNumber(std::string_view text);
// The value only when it is a number within [low, high].
std::optional<int> EditValueIn(std::string_view text, int low, int high);

// R, G, B edits of level and key-mode colours: above 255 -> "255", empty -> "0".
std::string ClampColourEdit(std::string_view text);

// edt_MCULEDNum while typing: 0, 2 or 3 -> "4"; above 13 -> "13"; empty ->
// "13"; a lone "1" stays (it may become 10..13).
std::string ClampLedCountEdit(std::string_view text);
// edt_MCULEDNum on leaving: a lone "1" -> "4".
std::string LedCountEditOnExit(std::string_view text);

// edt_MCULEDCrtStep: above 7 -> "7", empty -> "0".
std::string ClampMcuStepEdit(std::string_view text);
// edt_NorLEDStep: empty -> "0", above 255 -> "255".
std::string ClampBreathStepEdit(std::string_view text);

// Edt_Repeat1 (Advanced page repeat count): empty -> "2", 128 or more -> "127".
std::string ClampRepeatCountEdit(std::string_view text);
// Edt_Repeat1 on leaving: a count below 2 ("1", "0") -> "2".
std::string RepeatCountEditOnExit(std::string_view text);
// cb_FireCount's index for a repeat count text (count - 2); kNoSelection
// while the text is no count 2..127.
int FireCountIndexForText(std::string_view text);

// Edt_DelayTime1 (Advanced page interval): empty or negative -> "0",
// 256 or more -> "255".
std::string ClampDelayTimeEdit(std::string_view text);
// edt_FireTime (engineer page interval): above 255 -> "255", empty -> "100".
std::string ClampFireTimeEdit(std::string_view text);

// The identity code edits take at most this many characters.
inline constexpr std::size_t kIdentityEditLength = 3;
// edt_VendorID, edt_ProductID: at most three characters; above 255 or
// empty -> "255".
std::string ClampIdentityCodeEdit(std::string_view text);

}  // namespace zelko
