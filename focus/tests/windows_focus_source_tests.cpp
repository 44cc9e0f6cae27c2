#include "focus/windows_focus_source.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zelko {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kHelperTitle[] = L"zelko77 focus test helper";
constexpr char kHelperVariable[] = "ZELKO77_FOCUS_TEST_HELPER";

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = 15s) {
  const auto until = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

HWND MakeWindow(const wchar_t* title) {
  static const wchar_t kClass[] = L"Zelko77FocusTestWindow";
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClass;
  RegisterClassW(&window_class);  // a second registration fails harmlessly
  HWND window = CreateWindowExW(0, kClass, title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

std::string OwnExecutableName() {
  wchar_t path[MAX_PATH * 4];
  const DWORD size = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return ExecutableFileName({path, size});
}

TEST(ExecutableFileName, IsTheLastPartOfThePath) {
  EXPECT_EQ(ExecutableFileName(L"C:\\Games\\Counter-Strike\\cs2.exe"), "cs2.exe");
  EXPECT_EQ(ExecutableFileName(L"C:/Program Files/Steam/steam.exe"), "steam.exe");
  EXPECT_EQ(ExecutableFileName(L"\\\\?\\C:\\Spiele\\\u6E38\u620F.exe"), "\xE6\xB8\xB8\xE6\x88\x8F.exe");
  EXPECT_EQ(ExecutableFileName(L"game.exe"), "game.exe");
}

// Run by the test below in a process of its own: a window of another
// process, held until the test ends it.
TEST(ForegroundTestHelper, HoldsAWindow) {
  if (std::getenv(kHelperVariable) == nullptr) GTEST_SKIP() << "only as the helper of another test";
  HWND window = MakeWindow(kHelperTitle);
  ASSERT_NE(window, nullptr) << GetLastError();
  SetForegroundWindow(window);
  WaitUntil([] { return false; }, 60s);
}

class Heard {
 public:
  FocusCallback Callback() {
    return [this](const FocusedApp& app) {
      std::lock_guard lock(mutex_);
      apps_.push_back(app);
    };
  }
  bool WaitFor(const FocusedApp& app) const {
    return WaitUntil([&] {
      std::lock_guard lock(mutex_);
      return !apps_.empty() && apps_.back() == app;
    });
  }
  // What was heard, for a failure's message.
  std::string Said() const {
    std::lock_guard lock(mutex_);
    std::string said;
    for (const FocusedApp& app : apps_) said += app.app_id + "/" + std::to_string(app.pid.value_or(0)) + " ";
    return said;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<FocusedApp> apps_;
};

TEST(WindowsFocusSource, ReportsTheProcessOfEachWindowBroughtForward) {
  HWND mine = MakeWindow(L"zelko77 focus test window");
  if (mine == nullptr) GTEST_SKIP() << "No windows on this desktop (Wine without a display)";
  SetForegroundWindow(mine);
  WindowsFocusSource source;
  Heard heard;
  const Status started = source.Start(heard.Callback());
  ASSERT_TRUE(started.ok()) << started.error();
  const std::string name = OwnExecutableName();
  const auto own_pid = static_cast<std::uint32_t>(GetCurrentProcessId());
  EXPECT_TRUE(heard.WaitFor({name, own_pid})) << "heard " << heard.Said();

  // The helper: this program again, which brings a window of its own
  // forward (Windows lets the foreground process, and a process the user
  // just started, take the foreground).
  wchar_t own[MAX_PATH * 4];
  GetModuleFileNameW(nullptr, own, static_cast<DWORD>(std::size(own)));
  std::wstring command = L"\"" + std::wstring(own) + L"\" --gtest_filter=ForegroundTestHelper.HoldsAWindow";
  SetEnvironmentVariableA(kHelperVariable, "1");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION helper{};
  const BOOL spawned =
      CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &helper);
  SetEnvironmentVariableA(kHelperVariable, nullptr);
  ASSERT_TRUE(spawned);
  EXPECT_TRUE(heard.WaitFor({name, static_cast<std::uint32_t>(helper.dwProcessId)}))
      << "heard " << heard.Said() << "; the helper is " << helper.dwProcessId;
  SetForegroundWindow(mine);
  EXPECT_TRUE(heard.WaitFor({name, own_pid})) << "heard " << heard.Said();

  const auto before = std::chrono::steady_clock::now();
  source.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  TerminateProcess(helper.hProcess, 0);
  WaitForSingleObject(helper.hProcess, 5000);
  CloseHandle(helper.hThread);
  CloseHandle(helper.hProcess);
  DestroyWindow(mine);
}

}  // namespace
}  // namespace zelko
