// The OS pointer store of the platform the program runs on: the registry on
// Windows, the per-user settings file (and the desktop, when asked) on
// Linux. The one place that chooses.
#pragma once
#include <memory>
#include <string>

#include "pointer/pointer_store.h"

namespace zelko {

struct PlatformPointerStore {
  std::unique_ptr<PointerStore> store;  // never null
  std::string where;                    // where the values are kept, for the user
  std::string error;                    // why they cannot be kept; empty when they can
};

// `use_desktop`: also hand the values to the running desktop (Linux); off,
// they are only kept.
PlatformPointerStore OpenPlatformPointerStore(bool use_desktop);

// Why the last write to a platform store did not take, for the user.
std::string LastPointerStoreError(PointerStore& store);

}  // namespace zelko
