#include <gtest/gtest.h>

#include "resources/resources.h"

namespace zelko {
namespace {

TEST(Resources, UnknownNameIsNotFound) {
  EXPECT_FALSE(LookupResource("no such resource").has_value());
  EXPECT_FALSE(LookupResource("").has_value());
}

TEST(Resources, EveryListedNameIsFoundIgnoringCase) {
  for (const auto& name : ResourceNames()) {
    std::string upper = name;
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto exact = LookupResource(name);
    auto shouted = LookupResource(upper);
    ASSERT_TRUE(exact.has_value()) << name;
    ASSERT_TRUE(shouted.has_value()) << name;
    EXPECT_EQ(exact->data(), shouted->data()) << name;
  }
}

}  // namespace
}  // namespace zelko
