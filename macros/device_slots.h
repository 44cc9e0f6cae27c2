// The seven device macro slots: the tables split from BaseMacroArea (the
// working copy of image 0x100..0x7FF, slot n at 256 * (n - 1)), their
// validation, the hidden list of slot names that the labels of slot codes
// read, the choice of a slot for a library macro and the filling of a slot.
//
// A button plays slot n when its code is "06" (release mode 0) or "0E"
// (release mode 1) followed by the slot word 0x0n21, the image address of
// the slot's length byte.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/parameter_record.h"
#include "macros/macro_record.h"

namespace zelko {

inline constexpr int kDeviceSlotCount = 7;
// "No slot is free" from FindBaseMacroIndex.
inline constexpr int kNoFreeSlot = 8;

struct DeviceMacroSlots {
  std::array<MacroName, kDeviceSlotCount> names{};
  std::array<MacroContent, kDeviceSlotCount> contents{};  // MacroContentBuf
  // LB_MacroName: entry n - 1 holds the shown name of slot n, empty for an
  // empty slot.
  std::array<std::string, kDeviceSlotCount> shown_names{};

  // The shown name of slot 1..7; empty outside.
  std::string ShownName(int slot) const;
};

// Slot n's name and content copied from the area.
void SplitBaseMacroArea(const BaseMacroArea& area, DeviceMacroSlots& slots);
// A slot whose length byte is above 222 or whose checksum fails gets 224
// zero bytes of content; its name is kept.
void CheckMacroContentBuf(DeviceMacroSlots& slots);
// Rebuilds the shown names.
void RefreshMacroName(DeviceMacroSlots& slots);
// Joins the names and contents back into the area.
void RefreshBaseMacroBuf(const DeviceMacroSlots& slots, BaseMacroArea& area);

// After every load of the image: split, check, rebuild the shown names, and
// join the checked tables back into the area so that the area and the tables
// agree and no slot that failed its check is written back to the mouse.
void ReadAndRefreshMacro(BaseMacroArea& area, DeviceMacroSlots& slots);

// The slot tables of an area as it stands (the image's unpack has already
// emptied slots that fail their check; this checks again all the same).
DeviceMacroSlots ReadDeviceSlots(const BaseMacroArea& area);

// The base macro import: the whole slots of a slot file (up to 1792 bytes,
// slot n at 256 * (n - 1)) go into the area, the slots it does not reach
// keep what they held, then ReadAndRefreshMacro. Returns the slots read; a
// trailing part of a slot is ignored.
std::size_t LoadSlotFile(std::span<const std::uint8_t> file, BaseMacroArea& area, DeviceMacroSlots& slots);

// The slot for a library macro, 1..7, or 8 when none is free. `codes` are
// the 18 code texts of both profiles, the button being assigned already set
// to "000000".
int FindBaseMacroIndex(const DeviceMacroSlots& slots, const MacroName& entry_name,
                       std::span<const std::string> codes);

// Why a library macro cannot go into a slot, or nothing when it can: its
// release mode byte must be 0 or 1 (only those have a slot code), and a
// content with events must pass the slot check (else the mouse would be
// handed a macro the next load empties).
std::optional<std::string> MacroAssignProblem(const MacroContent& content);

// Copies the record into slot 1..7 and into the area and returns the slot's
// code ("06" or "0E" and the slot word: slot 3, release mode 1 gives
// "0E0321"). Nothing, and nothing changed, when MacroAssignProblem finds a
// problem or the slot is outside 1..7.
[[nodiscard]] std::optional<std::string> FillBaseMacroSlot(const MacroRecord& record, int slot,
                                             DeviceMacroSlots& slots, BaseMacroArea& area);

}  // namespace zelko
