// Results that cross module boundaries instead of exceptions: a value or
// the reason there is none, in words a user can read.
#pragma once
#include <optional>
#include <string>
#include <utility>

namespace zelko {

// Success, or a failure with its reason.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string error) { return Status(std::move(error), false); }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string& error() const { return error_; }

 private:
  Status() = default;
  Status(std::string error, bool ok) : error_(std::move(error)), ok_(ok) {}
  std::string error_;
  bool ok_ = true;
};

// A value, or the reason there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
  static Result Failure(std::string error) { return Result(std::move(error)); }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  // Empty when there is a value.
  const std::string& error() const { return error_; }

 private:
  explicit Result(std::string error) : error_(std::move(error)) {}
  std::optional<T> value_;
  std::string error_;
};

}  // namespace zelko
