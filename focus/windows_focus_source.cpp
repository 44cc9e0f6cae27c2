#include "focus/windows_focus_source.h"

#include <windows.h>

#include <future>
#include <optional>

namespace zelko {
namespace {

// What the hook's thread keeps: the out-of-context hook calls back on the
// thread that set it, inside its message loop, so a thread_local reaches it.
struct HookThread {
  FocusCallback on_change;
  std::optional<FocusedApp> reported;
};
thread_local HookThread* t_hook_thread = nullptr;

// The hook's events are the prompt path. Wine (8.0) sends none when
// another process's window comes forward, so the thread also looks at the
// foreground window this often; the look costs no round trip.
constexpr UINT kForegroundLookMs = 250;

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

// The application of a foreground window. A process this user may not
// query (an elevated one) gives its pid without a name.
FocusedApp AppOfWindow(HWND window) {
  FocusedApp app;
  if (window == nullptr) return app;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == 0) return app;
  app.pid = pid;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return app;
  wchar_t path[MAX_PATH * 4];
  DWORD size = static_cast<DWORD>(std::size(path));
  if (QueryFullProcessImageNameW(process, 0, path, &size)) app.app_id = ExecutableFileName({path, size});
  CloseHandle(process);
  return app;
}

void Report(HWND window) {
  if (t_hook_thread == nullptr) return;
  const FocusedApp app = AppOfWindow(window);
  if (t_hook_thread->reported == app) return;
  t_hook_thread->reported = app;
  t_hook_thread->on_change(app);
}

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW) Report(window);
}

void CALLBACK OnLookTimer(HWND, UINT, UINT_PTR, DWORD) { Report(GetForegroundWindow()); }

}  // namespace

std::string ExecutableFileName(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return Utf8(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

WindowsFocusSource::~WindowsFocusSource() { Stop(); }

Status WindowsFocusSource::Start(FocusCallback on_change, FocusEndCallback on_end) {
  Stop();
  std::promise<Status> started;
  std::future<Status> ready = started.get_future();
  thread_ = std::thread([this, &started, on_change = std::move(on_change),
                         on_end = std::move(on_end)]() mutable {
    HookThread state{std::move(on_change), std::nullopt};
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's message queue, for WM_QUIT
    thread_id_ = GetCurrentThreadId();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnForeground,
                                         0, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) {
      started.set_value(Status::Failure("Windows refused the foreground event hook."));
      return;
    }
    const UINT_PTR look_timer = SetTimer(nullptr, 0, kForegroundLookMs, &OnLookTimer);
    t_hook_thread = &state;
    started.set_value(Status::Ok());
    Report(GetForegroundWindow());
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) DispatchMessageW(&message);
    t_hook_thread = nullptr;
    if (look_timer != 0) KillTimer(nullptr, look_timer);
    UnhookWinEvent(hook);
    if (got < 0 && on_end) on_end("The foreground window's messages stopped arriving.");
  });
  Status status = ready.get();
  if (!status) {
    thread_.join();
    thread_id_ = 0;
  }
  return status;
}

void WindowsFocusSource::Stop() {
  if (!thread_.joinable()) return;
  // The queue exists before Start returns, so the message cannot be lost.
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  thread_.join();
  thread_id_ = 0;
}

}  // namespace zelko
