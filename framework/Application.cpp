#include "framework/Application.h"

namespace zelmar {

// A loop over the platform's events; no idle handler until one is installed.
TApplication::TApplication(platform::Platform& platform) : platform_(platform) {}

// Keeps the name and tells the platform, which names the program's windows after it.
void TApplication::SetTitle(std::string title) {
  title_ = std::move(title);
  platform_.SetApplicationName(title_);
}

// Runs passes until the loop is told to end.
void TApplication::Run() {
  while (ProcessOnce()) {
  }
}

// 1. Handles the waiting events (a close request ends the loop unless OnCloseQuery keeps it).
// 2. Runs the calls other threads queued for the main thread.
// 3. Runs the idle handler; without one, or when it is done, waits a little for the next event.
bool TApplication::ProcessOnce() {
  if (terminated_) return false;
  if (!platform_.PumpEvents()) {
    bool allow = true;
    if (OnCloseQuery) OnCloseQuery(allow);
    if (allow) terminated_ = true;
  }
  if (terminated_) return false;
  if (synchronize_) synchronize_();
  if (terminated_) return false;
  const bool done = idle_ ? idle_() : true;
  if (done && !terminated_) platform_.WaitEvents(10);
  return !terminated_;
}

}  // namespace zelmar
