// What a chosen profile file does before anything is written, and the file
// dialogs' filters.
#include "pages/profile_files.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "image/image_layout.h"

namespace zelko {
namespace {

struct LoadCase {
  const char* name;
  std::size_t file_size;
  std::uint8_t signature;
  std::uint8_t manufacturer;
  std::uint8_t product;
  ProfileLoadVerdict verdict;
};

class ProfileLoad : public testing::TestWithParam<LoadCase> {};

// The shipped codes accept 0xFF, 0xFF (factory image 1) and 0, 0 (the
// layout pack's reserve codes).
TEST_P(ProfileLoad, RefusesWhatWouldLockTheMouseOrIsNoProfile) {
  const LoadCase& c = GetParam();
  const auto shown = FactoryImage(1);
  ASSERT_TRUE(shown.has_value());
  std::vector<std::uint8_t> file(c.file_size, 0x11);
  if (c.file_size > kImageSignatureOffset) file[kImageSignatureOffset] = c.signature;
  if (c.file_size > kProductCodeAddress) {
    file[kManufacturerCodeAddress] = c.manufacturer;
    file[kProductCodeAddress] = c.product;
  }
  const ProfileLoadPlan plan = PlanProfileLoad(*shown, file, ShippedExpectedCodes());
  EXPECT_EQ(plan.verdict, c.verdict);
  if (c.verdict == ProfileLoadVerdict::kWrite) {
    EXPECT_TRUE(std::equal(file.begin(), file.end(), plan.image.begin()));
    // A shorter file replaces only its own bytes.
    EXPECT_TRUE(std::equal(shown->begin() + static_cast<std::ptrdiff_t>(file.size()), shown->end(),
                           plan.image.begin() + static_cast<std::ptrdiff_t>(file.size())));
  }
  if (c.verdict == ProfileLoadVerdict::kForeignIdentity) {
    const std::string codes = std::to_string(c.manufacturer) + ", " + std::to_string(c.product) + " at 0x036, 0x037";
    EXPECT_NE(plan.problem.find(codes), std::string::npos) << plan.problem;
  } else {
    EXPECT_TRUE(plan.problem.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileLoad,
    testing::Values(LoadCase{"WholeFileOfTheFactoryCodes", 2048, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kWrite},
                    LoadCase{"ReserveCodes", 2048, 0x99, 0x00, 0x00, ProfileLoadVerdict::kWrite},
                    LoadCase{"ShortFileReachingTheSignature", 0x80, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kWrite},
                    LoadCase{"ForeignCodes", 2048, 0x99, 0x12, 0x34, ProfileLoadVerdict::kForeignIdentity},
                    LoadCase{"OneCodeForeign", 2048, 0x99, 0xFF, 0x00, ProfileLoadVerdict::kForeignIdentity},
                    LoadCase{"NoSignatureBeforeForeignCodes", 2048, 0x98, 0x12, 0x34, ProfileLoadVerdict::kNoSignature},
                    LoadCase{"EndsBeforeTheSignature", 0x7F, 0x99, 0xFF, 0xFF, ProfileLoadVerdict::kNoSignature}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST(DialogFilter, PairsDescriptionsWithPatterns) {
  EXPECT_EQ(DialogFilter(kSaveProfileFilter), "SaveFile(*.bin) (*.bin)");
  EXPECT_EQ(DialogFilter(kLoadProfileFilter), "LoadFile(*.bin) (*.bin)");
  EXPECT_EQ(DialogFilter("A|*.a|B|*.b"), "A (*.a);;B (*.b)");
  EXPECT_EQ(DialogFilter("*.bin"), "*.bin (*.bin)");
}

}  // namespace
}  // namespace zelko
