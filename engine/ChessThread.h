// The computer player's worker thread: copies the board's position when the computer is to move,
// searches it, and hands the first move of the best line back through a synchronous call that runs
// on the main thread, where the board plays it like any other move.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <thread>

#include "engine/ChessWorker.h"
#include "engine/SyncCallQueue.h"
#include "engine/search/ChessSearch.h"

namespace zelmar {

class TChessBrd;

class TChessThread final : public TChessWorker {
 public:
  // Starts the thread parked; it reads the board only between a Release and the next park.
  explicit TChessThread(TChessBrd& board);
  // Requests stop and termination, wakes the thread whatever it is doing, and joins it.
  ~TChessThread() override;
  TChessThread(const TChessThread&) = delete;
  TChessThread& operator=(const TChessThread&) = delete;

  void Park() override;
  void Release() override;
  bool ParkAfterPass() override;
  bool Thinking() const override { return thinking_.load(); }
  void ApplyPriority(TThreadPriority priority) override;
  bool InsideCall() const override { return calls_.InCall(); }
  int RunPendingCalls() override { return calls_.RunPending(); }
  void WaitForCalls(std::chrono::milliseconds timeout) override { calls_.Wait(timeout); }

  // Whether the thread is parked (waiting for Release), for tests and tools.
  bool Parked() const;
  // Whether the worker has posted a synchronous call that the main thread has not run yet.
  bool CallPending() const { return calls_.HasPending(); }
  // The thread's system id (0 until it has started) and the processor time it has used.
  int ThreadId() const { return threadId_.load(); }
  double CpuSeconds() const;
  // Moves delivered so far, and how many of them the board refused, for tests and tools. A move found
  // under a mode switched since is dropped before delivery and not counted.
  int MovesDelivered() const { return delivered_.load(); }
  int MovesRefused() const { return refused_.load(); }

 private:
  void Body();
  void RunPass();
  bool WaitForRun();
  void SetOwnPriority(TThreadPriority priority);
  bool ComputerToMove() const;
  zelmar::TSearchRoot RootFromBoard() const;

  TChessBrd& board_;
  // The search state, about 350 KB, kept off the thread object's own footprint.
  std::unique_ptr<zelmar::TChessSearch> search_;
  TSyncCallQueue calls_;
  // Guarded by calls_.Mutex().
  std::condition_variable runChanged_;
  bool run_ = false;
  bool parked_ = false;
  bool terminate_ = false;

  std::atomic<bool> thinking_{false};
  std::atomic<int> delivered_{0};
  std::atomic<int> refused_{0};
  std::atomic<int> threadId_{0};
  std::atomic<int> priority_{tpNormal};
  int baseNice_ = 0;
  std::thread thread_;
};

}  // namespace zelmar
