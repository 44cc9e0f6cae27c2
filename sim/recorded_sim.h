// The simulated mouse a recording implies, for a lenient replay: the
// interfaces, ids and status reply recorded, and the memory the recorded
// reads and writes leave (bytes never read or written come from factory
// image 1). A program may then read more or less than the recorded one.
#pragma once
#include <memory>
#include <vector>

#include "base/clock.h"
#include "device/recorded_mouse.h"
#include "sim/sim_transport.h"
#include "sim/simulated_mouse.h"

namespace zelko::sim {

std::unique_ptr<SimulatedMouse> MouseFromRecording(Clock& clock, const RecordedMouse& recorded);
// Listed under the replay's paths, in the recorded order.
std::vector<SimInterface> RecordedInterfaces(const RecordedMouse& recorded);

}  // namespace zelko::sim
