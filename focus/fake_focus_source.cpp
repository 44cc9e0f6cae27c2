#include "focus/fake_focus_source.h"

namespace zelko {

Status FakeFocusSource::Start(FocusCallback on_change, FocusEndCallback on_end) {
  std::lock_guard lock(mutex_);
  if (!next_start_failure_.empty()) {
    std::string reason = std::move(next_start_failure_);
    next_start_failure_.clear();
    on_change_ = nullptr;
    return Status::Failure(std::move(reason));
  }
  on_change_ = std::move(on_change);
  on_end_ = std::move(on_end);
  reported_.reset();
  if (current_ && on_change_) {
    reported_ = current_;
    on_change_(*current_);
  }
  return Status::Ok();
}

void FakeFocusSource::Stop() {
  std::lock_guard lock(mutex_);
  on_change_ = nullptr;
  on_end_ = nullptr;
}

void FakeFocusSource::End(const std::string& reason) {
  FocusEndCallback on_end;
  {
    std::lock_guard lock(mutex_);
    on_end = std::move(on_end_);
    on_change_ = nullptr;
    on_end_ = nullptr;
  }
  if (on_end) on_end(reason);
}

void FakeFocusSource::Focus(const FocusedApp& app) {
  std::lock_guard lock(mutex_);
  current_ = app;
  if (!on_change_ || reported_ == app) return;
  reported_ = app;
  on_change_(app);
}

void FakeFocusSource::FailNextStart(std::string reason) {
  std::lock_guard lock(mutex_);
  next_start_failure_ = std::move(reason);
}

bool FakeFocusSource::running() const {
  std::lock_guard lock(mutex_);
  return static_cast<bool>(on_change_);
}

}  // namespace zelko
