// Thread priorities as nice values of the thread.
#include "engine/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zelmar {

namespace {

// The range of nice values.
constexpr int kNicest = 19, kLeastNice = -20;

// Nice offset from the process's own value for each priority: lower priorities run nicer.
int NiceOffset(TThreadPriority p) {
  switch (p) {
    case tpIdle:
      return 19;
    case tpLowest:
      return 10;
    case tpLower:
      return 5;
    case tpNormal:
      return 0;
    case tpHigher:
      return -5;
    case tpHighest:
      return -10;
    case tpTimeCritical:
      return -20;
  }
  return 0;
}

}  // namespace

int CurrentThreadId() {
  return static_cast<int>(::syscall(SYS_gettid));
}

int ProcessNice() {
  errno = 0;
  const int nice = ::getpriority(PRIO_PROCESS, 0);
  return errno == 0 ? nice : 0;
}

void SetThreadNice(int threadId, int baseNice, TThreadPriority priority) {
  const int nice = std::clamp(baseNice + NiceOffset(priority), kLeastNice, kNicest);
  // A refusal (a raise without the right to it) keeps the value the thread has, which is no failure.
  static_cast<void>(::setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), nice));
}

}  // namespace zelmar
