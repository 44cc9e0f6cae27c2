#include "pages/profile_files.h"

#include "base/number_text.h"
#include "image/expected_codes.h"
#include "image/image_flows.h"

namespace zelko {

std::string DialogFilter(std::string_view filter) {
  const auto parts = SplitList(filter, '|');
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string_view description = parts[i];
    const std::string_view pattern = i + 1 < parts.size() ? parts[i + 1] : description;
    if (!out.empty()) out += ";;";
    out += std::string(description) + " (" + std::string(pattern) + ")";
  }
  return out;
}

ProfileLoadPlan PlanProfileLoad(const DataBuf& shown, std::span<const std::uint8_t> file_bytes,
                                const ExpectedCodes& expected) {
  ProfileLoadPlan plan;
  const auto image = OverlayProfile(shown, file_bytes);
  if (!image) return plan;
  if (auto problem = ForeignIdentityProblem(*image, expected)) {
    plan.verdict = ProfileLoadVerdict::kForeignIdentity;
    plan.problem = "The profile was not loaded: " + *problem + ".";
    return plan;
  }
  plan.verdict = ProfileLoadVerdict::kWrite;
  plan.image = *image;
  return plan;
}

}  // namespace zelko
