// A bench whose set-up failed would measure nothing: it stops at once.
#pragma once
#include <cstdio>
#include <cstdlib>

namespace zelko::bench {

inline void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "bench set-up failed: %s\n", what);
  std::abort();
}

}  // namespace zelko::bench
