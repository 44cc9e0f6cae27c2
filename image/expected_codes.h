// The identity codes the connection logic accepts, as the programs ship
// them: one builder for the window, zelko77ctl's image commands and watch.
#pragma once
#include <optional>
#include <string>

#include "device/device_connection.h"
#include "image/image_layout.h"

namespace zelko {

// The first pair from factory image 1's bytes at 0x36/0x37, the second the
// general layout pack's Rev_Manu_ID and Rev_Pro_ID (MakeExpectedCodes). A
// build without the factory images accepts (0, 0) as the first pair.
[[nodiscard]] ExpectedCodes ShippedExpectedCodes();

// Why an image must not be written into the mouse for its identity bytes
// (0x36, 0x37): every later read would refuse a mouse holding a pair that
// is not accepted, restore and reset included. Nothing when the pair is
// accepted.
[[nodiscard]] std::optional<std::string> ForeignIdentityProblem(const DataBuf& image,
                                                                const ExpectedCodes& expected);

}  // namespace zelko
