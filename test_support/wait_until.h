// Waiting on another thread or process: a poll with short sleeps until the
// condition holds or the deadline has passed. Never a fixed sleep.
#pragma once
#include <chrono>
#include <functional>

namespace zelko::testing_support {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = std::chrono::seconds(10));

}  // namespace zelko::testing_support
