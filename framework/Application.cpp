#include "framework/Application.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zelmar {

namespace {

// Blocks at least this large get mappings of their own, handed back to the system when freed.
constexpr int kOwnMappingBytes = 128 * 1024;

// The C library serves large blocks from mappings of their own only until the first one is freed; then it
// raises that limit to the freed block's size and serves the next ones from its heap, which keeps freed
// memory for later use. The game frees many large blocks (every picture is inflated and staged in
// buffers of megabytes while it loads), so a fixed limit hands that memory back instead of keeping it.
void KeepLargeBlocksApart() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
  mallopt(M_TRIM_THRESHOLD, kOwnMappingBytes);
#endif
}

}  // namespace

// A loop over the platform's events; no idle handler until one is installed. The process's large blocks
// are kept apart from its heap from now on.
TApplication::TApplication(platform::Platform& platform) : platform_(platform) {
  KeepLargeBlocksApart();
}

// malloc_trim(0) also releases whole free pages inside the heap, not only at its top.
void TApplication::ReturnFreePages() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

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
