// Calls that a worker thread has run on the main thread while it waits: the worker posts a call and
// blocks; the main thread runs it from its loop (or while it waits for the worker) and releases it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace zelmar {

class TSyncCallQueue {
 public:
  // Worker side: runs fn on the main thread and returns once it has run. Returns false without
  // running it when the queue has been closed (the owner is going away).
  bool CallAndWait(std::function<void()> fn);

  // Main side: runs every call posted so far, in order; returns how many ran.
  int RunPending();
  // Main side: waits until a call is pending, the predicate holds, or the timeout passes. The
  // predicate is evaluated under the queue's lock after every Notify.
  void Wait(std::chrono::milliseconds timeout, const std::function<bool()>& done = {});
  // Wakes a main thread waiting in Wait so that it checks its predicate again.
  void Notify();

  // Whether the main thread is running one of the posted calls right now.
  bool InCall() const;
  bool HasPending() const;

  // Refuses every later call and abandons the waiting ones (their workers return false).
  void Close();

  // The lock that Wait's predicate runs under, for owners that keep their state beside the queue.
  std::mutex& Mutex() const { return mutex_; }

 private:
  struct TCall {
    std::function<void()> Fn;
    bool Done = false;
  };

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<TCall*> pending_;
  bool inCall_ = false;
  bool closed_ = false;
};

}  // namespace zelmar
