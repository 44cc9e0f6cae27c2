// The file dialogs' filters.
#include "pages/profile_files.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

TEST(DialogFilter, PairsDescriptionsWithPatterns) {
  EXPECT_EQ(DialogFilter(kSaveProfileFilter), "SaveFile(*.bin) (*.bin)");
  EXPECT_EQ(DialogFilter(kLoadProfileFilter), "LoadFile(*.bin) (*.bin)");
  EXPECT_EQ(DialogFilter("A|*.a|B|*.b"), "A (*.a);;B (*.b)");
  EXPECT_EQ(DialogFilter("*.bin"), "*.bin (*.bin)");
}

}  // namespace
}  // namespace zelko
