#include "focus/wake_pipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace zelko {

WakePipe::WakePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  read_ = fds[0];
  write_ = fds[1];
}

WakePipe::~WakePipe() {
  if (read_ >= 0) close(read_);
  if (write_ >= 0) close(write_);
}

void WakePipe::Wake() {
  const char byte = 1;
  // A full pipe already wakes the reader; nothing else can go wrong here.
  if (write_ >= 0) (void)!write(write_, &byte, 1);
}

}  // namespace zelko
