// A Qt key event as the page models take it: the facts of the event
// (pages/key_event_map.h) and the Windows virtual-key code they give.
#pragma once
#include <QKeyEvent>

#include "pages/key_event_map.h"

namespace zelko {

// The platform the window runs on decides which native code counts.
ToolkitKeyEvent ToolkitKeyOf(const QKeyEvent& event);
int VirtualKeyOf(const QKeyEvent& event);

}  // namespace zelko
