// The text a row of the event list shows for a line.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// Keys and buttons: the name; delays: "96 ms"; moves: "X-Axis  " or
// "Y-Axis  " and the signed step; a repeat start: "Rep-Start  " and the
// repeat number (stored byte + 1); a repeat end: "Rep-Stop"; unknown bytes:
// their name ("Unknown 37").
std::string EventRowText(std::string_view line);

}  // namespace zelko
