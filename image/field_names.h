// What a device address holds, in the names of the image's fields:
// "ParameterA.DpiValueIndex[3]", "Profile.ModeB[9].type", "MacroSlot[2].content[17]".
#pragma once
#include <cstddef>
#include <string>

namespace zelko {

std::string FieldNameAt(std::size_t address);

}  // namespace zelko
