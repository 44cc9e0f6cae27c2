// The identity codes the connection logic accepts, as the programs ship
// them: one builder for the window, zelko77ctl's image commands and watch.
#pragma once
#include "device/device_connection.h"

namespace zelko {

// The first pair from factory image 1's bytes at 0x36/0x37, the second the
// general layout pack's Rev_Manu_ID and Rev_Pro_ID (MakeExpectedCodes). A
// build without the factory images accepts (0, 0) as the first pair.
[[nodiscard]] ExpectedCodes ShippedExpectedCodes();

}  // namespace zelko
