// A time bound for tests of loops that must end: when the bound passes, SIGALRM ends the test
// program and the test runner reports the test as failed, instead of the suite hanging.
#pragma once

#include <unistd.h>

namespace tessarine::testing {

class TimeBound {
 public:
  explicit TimeBound(unsigned seconds) { ::alarm(seconds); }
  ~TimeBound() { ::alarm(0); }
  TimeBound(const TimeBound&) = delete;
  TimeBound& operator=(const TimeBound&) = delete;
};

}  // namespace tessarine::testing
