// The worker-to-main-thread synchronous call queue.
#include "engine/SyncCallQueue.h"

namespace zelmar {

bool TSyncCallQueue::CallAndWait(std::function<void()> fn) {
  TCall call{std::move(fn)};
  std::unique_lock lock(mutex_);
  if (closed_) return false;
  pending_.push_back(&call);
  changed_.notify_all();
  changed_.wait(lock, [&] { return call.Done || closed_; });
  if (!call.Done) {
    // Closed before the main thread got to it: take it back out so nobody runs it later.
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
      if (*it == &call) {
        pending_.erase(it);
        break;
      }
    }
  }
  return call.Done;
}

int TSyncCallQueue::RunPending() {
  int ran = 0;
  std::unique_lock lock(mutex_);
  while (!pending_.empty()) {
    TCall* call = pending_.front();
    pending_.pop_front();
    const bool outer = inCall_;
    inCall_ = true;
    lock.unlock();
    call->Fn();
    lock.lock();
    inCall_ = outer;
    call->Done = true;
    ++ran;
    changed_.notify_all();
  }
  return ran;
}

void TSyncCallQueue::Wait(std::chrono::milliseconds timeout, const std::function<bool()>& done) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return !pending_.empty() || closed_ || (done && done()); });
}

void TSyncCallQueue::Notify() {
  std::lock_guard lock(mutex_);
  changed_.notify_all();
}

bool TSyncCallQueue::InCall() const {
  std::lock_guard lock(mutex_);
  return inCall_;
}

bool TSyncCallQueue::HasPending() const {
  std::lock_guard lock(mutex_);
  return !pending_.empty();
}

void TSyncCallQueue::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  changed_.notify_all();
}

}  // namespace zelmar
