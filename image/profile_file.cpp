#include "image/profile_file.h"

#include "base/atomic_file.h"

namespace zelko {

std::string ProfileSavePath(const std::string& chosen) { return chosen + ".bin"; }

std::string SaveProfile(const std::string& path, const DataBuf& image) {
  return WriteFileAtomically(path, image);
}

}  // namespace zelko
