// The lock every exchange with a mouse runs under, on this platform's
// backend: two locks on one mouse exclude each other (also inside one
// program), the loser learns who holds it, and the node locks live only in
// the user's private runtime folder.
#include "device/exchange_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "test_support/scoped_environment.h"
#include "test_support/temp_folder.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

TEST(ExchangeLock, TwoLocksOnOneMouseExcludeEachOtherAndTheLoserLearnsTheHolder) {
  TempFolder folder;
  const std::string memory = folder / "mouse.bin";
  auto first = MakeFileExchangeLock(memory);
  auto second = MakeFileExchangeLock(memory);
  ASSERT_TRUE(first->TryTake("sim:mouse").taken());

  const LockAttempt refused = second->TryTake("sim:mouse");
  EXPECT_EQ(refused.outcome, LockOutcome::kHeldByAnother);
  EXPECT_EQ(refused.holder.pid, static_cast<long>(::getpid()));
  EXPECT_FALSE(refused.holder.program.empty());
  EXPECT_EQ(HolderText(refused.holder),
            refused.holder.program + " (pid " + std::to_string(::getpid()) + ")");

  first->Release();
  EXPECT_TRUE(second->TryTake("sim:mouse").taken());
  // A holder that goes away without releasing (a program that crashed)
  // leaves nothing behind.
  second.reset();
  EXPECT_TRUE(first->TryTake("sim:mouse").taken());
  EXPECT_TRUE(fs::exists(memory + ".lock"));
  EXPECT_FALSE(fs::exists(memory)) << "the lock is beside the memory file, not on it";
}

TEST(ExchangeLock, NodeLocksAreNamedAfterTheNodeInThePrivateRuntimeFolder) {
  TempFolder runtime;
  ScopedEnvironment env;
  env.Set("XDG_RUNTIME_DIR", runtime.path().string());
  auto window = MakeNodeExchangeLock();
  auto command = MakeNodeExchangeLock();
  ASSERT_TRUE(window->TryTake("/dev/hidraw3").taken());
  EXPECT_EQ(command->TryTake("/dev/hidraw3").outcome, LockOutcome::kHeldByAnother);
  EXPECT_TRUE(command->TryTake("/dev/hidraw4").taken()) << "another mouse is free";

  const fs::path folder = runtime.path() / "zelko77";
  EXPECT_TRUE(fs::exists(folder / "dev_hidraw3.lock"));
  struct stat info {};
  ASSERT_EQ(::stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(ExchangeLock, ARuntimeFolderOthersCanWriteInIsRefusedNotUsed) {
  TempFolder runtime;
  ScopedEnvironment env;
  env.Set("XDG_RUNTIME_DIR", runtime.path().string());
  const fs::path folder = runtime.path() / "zelko77";
  ASSERT_TRUE(fs::create_directory(folder));
  ::chmod(folder.c_str(), 0777);
  const LockAttempt attempt = MakeNodeExchangeLock()->TryTake("/dev/hidraw3");
  EXPECT_EQ(attempt.outcome, LockOutcome::kUnavailable);
  EXPECT_NE(attempt.error.find("open to other users"), std::string::npos) << attempt.error;
  EXPECT_FALSE(fs::exists(folder / "dev_hidraw3.lock"));
}

TEST(ExchangeLock, LockNamesKeepLettersAndDigitsAndStayShort) {
  struct Case {
    const char* node;
    const char* name;
  };
  const Case cases[] = {
      {"/dev/hidraw3", "dev_hidraw3"},
      {"sim:mouse/vendor", "sim_mouse_vendor"},
      {"", "mouse"},
  };
  for (const Case& c : cases) EXPECT_EQ(LockNameOf(c.node), c.name) << c.node;

  const std::string windows_path =
      "\\\\?\\hid#vid_3151&pid_7707&mi_02#8&2b5e7c3a&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  const std::string name = LockNameOf(windows_path);
  EXPECT_LE(name.size(), 100u);
  EXPECT_EQ(name, LockNameOf(windows_path));
  std::string other = windows_path;
  other[30] = '9';
  EXPECT_NE(LockNameOf(other), name);
}

}  // namespace
}  // namespace zelko
