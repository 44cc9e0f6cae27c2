// The one rule for the user's data and config folders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "base/user_folders.h"
#include "test_support/scoped_environment.h"

namespace zelko {
namespace {

#ifndef _WIN32
using Environment = testing_support::ScopedEnvironment;

struct FolderCase {
  const char* name;
  const char* xdg_data;
  const char* xdg_config;
  const char* home;
  std::optional<std::string> data;
  std::optional<std::string> config;
};

class UserFolders : public testing::TestWithParam<FolderCase> {};

TEST_P(UserFolders, FollowTheXdgRulesWithHomeAsFallback) {
  const FolderCase& c = GetParam();
  Environment env;
  env.Set("XDG_DATA_HOME", c.xdg_data);
  env.Set("XDG_CONFIG_HOME", c.xdg_config);
  env.Set("HOME", c.home);
  const auto data = UserDataFolder();
  const auto config = UserConfigFolder();
  EXPECT_EQ(data ? std::optional<std::string>(data->string()) : std::nullopt, c.data);
  EXPECT_EQ(config ? std::optional<std::string>(config->string()) : std::nullopt, c.config);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFolders,
    testing::Values(
        FolderCase{"xdg_set", "/x/data", "/x/config", "/home/u", "/x/data/zelko77", "/x/config/zelko77"},
        FolderCase{"xdg_unset", nullptr, nullptr, "/home/u", "/home/u/.local/share/zelko77",
                   "/home/u/.config/zelko77"},
        FolderCase{"xdg_relative_is_ignored", "rel/data", "", "/home/u",
                   "/home/u/.local/share/zelko77", "/home/u/.config/zelko77"},
        FolderCase{"no_home", nullptr, nullptr, nullptr, std::nullopt, std::nullopt}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });
#endif

TEST(FolderWritable, RefusesMissingFoldersAndFiles) {
  EXPECT_FALSE(FolderWritable({}));
  EXPECT_FALSE(FolderWritable("/nonexistent-zelko77-folder"));
  EXPECT_TRUE(FolderWritable(std::filesystem::temp_directory_path()));
}

}  // namespace
}  // namespace zelko
