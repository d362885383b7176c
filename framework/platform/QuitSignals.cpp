#include "framework/platform/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace zelmar {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");
// The pipe's ends; written once before the handlers exist, read only afterwards.
int pipeRead = -1, pipeWrite = -1;

// Async-signal-safe: the flag, one byte into the pipe, errno kept. A full pipe is already readable, so a
// write that does not go through loses nothing.
void OnQuitSignal(int) {
  const int saved = errno;
  requested.store(true);
  const char byte = 'q';
  const ssize_t written = ::write(pipeWrite, &byte, 1);
  static_cast<void>(written);
  errno = saved;
}

}  // namespace

bool InstallQuitSignals() {
  if (pipeRead >= 0) return true;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  pipeRead = ends[0];
  pipeWrite = ends[1];
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

bool QuitRequested() {
  return requested.load();
}

int QuitSignalFd() {
  return pipeRead;
}

}  // namespace zelmar
