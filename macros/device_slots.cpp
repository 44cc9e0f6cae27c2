#include "macros/device_slots.h"

#include <algorithm>
#include <cstdio>

#include "keys/macro_slot_code.h"
#include "macros/macro_name_codec.h"

namespace zelko {
namespace {

std::size_t SlotIndex(int slot) { return static_cast<std::size_t>(slot - 1); }

std::size_t SlotAreaOffset(int slot) { return SlotIndex(slot) * kMacroRecordSize; }

}  // namespace

std::string DeviceMacroSlots::ShownName(int slot) const {
  if (slot < 1 || slot > kDeviceSlotCount) return {};
  return shown_names[SlotIndex(slot)];
}

void SplitBaseMacroArea(const BaseMacroArea& area, DeviceMacroSlots& slots) {
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const auto from = area.begin() + static_cast<std::ptrdiff_t>(SlotAreaOffset(slot));
    std::copy_n(from, kMacroNameSize, slots.names[SlotIndex(slot)].begin());
    std::copy_n(from + kMacroNameSize, kMacroContentSize, slots.contents[SlotIndex(slot)].begin());
  }
}

void CheckMacroContentBuf(DeviceMacroSlots& slots) {
  for (auto& content : slots.contents) {
    if (!ContentChecksumHolds(content)) content.fill(0);
  }
}

void RefreshMacroName(DeviceMacroSlots& slots) {
  for (std::size_t i = 0; i < slots.names.size(); ++i) {
    slots.shown_names[i] = SlotNameEmpty(slots.names[i]) ? std::string() : MacroNameText(slots.names[i]);
  }
}

void RefreshBaseMacroBuf(const DeviceMacroSlots& slots, BaseMacroArea& area) {
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const auto to = area.begin() + static_cast<std::ptrdiff_t>(SlotAreaOffset(slot));
    std::copy(slots.names[SlotIndex(slot)].begin(), slots.names[SlotIndex(slot)].end(), to);
    std::copy(slots.contents[SlotIndex(slot)].begin(), slots.contents[SlotIndex(slot)].end(),
              to + kMacroNameSize);
  }
}

void ReadAndRefreshMacro(BaseMacroArea& area, DeviceMacroSlots& slots) {
  SplitBaseMacroArea(area, slots);
  CheckMacroContentBuf(slots);
  RefreshMacroName(slots);
  RefreshBaseMacroBuf(slots, area);
}

DeviceMacroSlots ReadDeviceSlots(const BaseMacroArea& area) {
  BaseMacroArea copy = area;
  DeviceMacroSlots slots;
  ReadAndRefreshMacro(copy, slots);
  return slots;
}

std::size_t LoadSlotFile(std::span<const std::uint8_t> file, BaseMacroArea& area, DeviceMacroSlots& slots) {
  const std::size_t whole_slots = std::min(file.size(), area.size()) / kMacroRecordSize;
  std::copy_n(file.begin(), whole_slots * kMacroRecordSize, area.begin());
  ReadAndRefreshMacro(area, slots);
  return whole_slots;
}

int FindBaseMacroIndex(const DeviceMacroSlots& slots, const MacroName& entry_name,
                       std::span<const std::string> codes) {
  // in_use[0] and in_use[8] are the neighbours outside 1..7, counted in use.
  std::array<bool, kDeviceSlotCount + 2> in_use{};
  in_use.front() = in_use.back() = true;
  for (const std::string& code : codes) {
    if (const auto slot = MacroSlotOfCode(code)) in_use[static_cast<std::size_t>(*slot)] = true;
  }
  int used = 0;
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) used += in_use[static_cast<std::size_t>(slot)] ? 1 : 0;

  bool packed = true;  // the slots in use are exactly 1..used
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    packed = packed && in_use[static_cast<std::size_t>(slot)] == (slot <= used);
  }
  if (packed) {
    int match = 0;
    int matches = 0;
    for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
      if (slots.names[SlotIndex(slot)] == entry_name) {
        match = slot;
        ++matches;
      }
    }
    return matches == 1 ? match : used + 1;
  }
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const auto n = static_cast<std::size_t>(slot);
    if (!in_use[n] && in_use[n - 1] && in_use[n + 1]) return slot;
  }
  if (used >= 1 && !in_use[static_cast<std::size_t>(used)]) return used;
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    if (!in_use[static_cast<std::size_t>(slot)]) return slot;
  }
  return kNoFreeSlot;
}

std::optional<std::string> MacroAssignProblem(const MacroContent& content) {
  const std::uint8_t release = content[kReleaseModeOffset];
  char text[160];
  if (release != kReleaseContinue && release != kReleaseStop) {
    std::snprintf(text, sizeof text,
                  "the macro's release mode byte is 0x%02X; only 0 (continue) and 1 (stop) have a "
                  "slot code",
                  release);
    return std::string(text);
  }
  if (content[kLengthOffset] != 0 && !ContentChecksumHolds(content)) {
    return std::string("the macro's content fails its length or checksum check; the mouse would not keep it");
  }
  return std::nullopt;
}

std::optional<std::string> FillBaseMacroSlot(const MacroRecord& record, int slot,
                                             DeviceMacroSlots& slots, BaseMacroArea& area) {
  if (slot < 1 || slot > kDeviceSlotCount || MacroAssignProblem(record.content)) return std::nullopt;
  slots.names[SlotIndex(slot)] = record.name;
  slots.contents[SlotIndex(slot)] = record.content;
  slots.shown_names[SlotIndex(slot)] = MacroNameText(record.name);
  RefreshBaseMacroBuf(slots, area);
  return MacroSlotCode(slot, record.content[kReleaseModeOffset]);
}

}  // namespace zelko
