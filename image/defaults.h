// The built-in section defaults: fixed byte lists the section checks fall
// back on when a section is damaged, and that the engineer's Default button
// writes all at once. Each builder fills one section of the record,
// checksum included.
#pragma once
#include "image/parameter_record.h"

namespace zelko {

void DefaultParameterA(ParameterRecord& record);
void DefaultParameterB(ParameterRecord& record);
void DefaultProfile(ParameterRecord& record);
void DefaultReserveA(ParameterRecord& record);
void DefaultReserveB(ParameterRecord& record);
void DefaultReserveC(ParameterRecord& record);
void DefaultFireKey(ParameterRecord& record);

// A record with every section at its built-in default.
ParameterRecord BuiltInDefaultRecord();

// The button codes both key modes get by default, buttons 1..9.
extern const std::array<ButtonCode, kButtonCount> kDefaultButtonCodes;

// What the ParameterB check puts in place of a pair that does not add up
// to 255 (value; its complement is 0xFF - value).
inline constexpr std::uint8_t kRepairCurrentDpiLevel = 1;
inline constexpr std::uint8_t kRepairLedState = 1;
inline constexpr std::uint8_t kRepairKeyModeState = 0;

}  // namespace zelko
