// A pipe that wakes a thread sleeping in poll(): Stop writes a byte, the
// thread sees its read end readable and ends.
#pragma once

namespace zelko {

class WakePipe {
 public:
  WakePipe();
  ~WakePipe();
  WakePipe(const WakePipe&) = delete;
  WakePipe& operator=(const WakePipe&) = delete;

  bool ok() const { return read_ >= 0; }
  int read_fd() const { return read_; }
  void Wake();

 private:
  int read_ = -1;
  int write_ = -1;
};

}  // namespace zelko
