// The computer player's worker thread: copies the board's position when the computer is to move,
// searches it, and hands the first move of the best line back through a synchronous call that runs
// on the main thread, where the board plays it like any other move.
//
// It also thinks ahead. After delivering a move it searches, on a second thread, the position after
// the reply it expects (pondering), and on a third the position after the player's best other reply;
// once the player's move is certain it searches the position after that move (the early start). Each
// search starts from exactly the state the worker's own search would start from, and is taken over as
// the real search when the board comes to that very position with that state unchanged, so every move
// and node count is the one the plain search gives.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "engine/ChessWorker.h"
#include "engine/SyncCallQueue.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/PonderSearch.h"

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
  void AnticipateMove(Square oldSq, Square newSq) override;
  void DiscardAhead() override;
  // The carried line of the snapshot below, as text; any time, from any thread.
  std::string SearchCarry() const override;
  // Parks the worker, throws away every search ahead, and makes the text's line what the next search
  // starts from; a malformed text is refused before anything stops.
  bool SetSearchCarry(std::string_view text) override;

  // Thinking ahead: pondering the expected reply, and starting on the player's move once it is certain.
  // Both are on by default; switched off the worker searches only when the computer is to move.
  void SetPondering(bool on);
  void SetEarlyStart(bool on);
  // How many of the player's replies are pondered at once: the expected one, and with 2 also the best
  // other one a quick search finds (the default).
  static constexpr int kMaxPonderReplies = 2;
  void SetPonderReplies(int count);
  // Whether a search ahead is running (for tests and tools).
  bool SearchingAhead() const;

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
  // Searches started ahead of time, how many of them were taken over, and the processor time of the
  // threads that ran them (for tests and tools).
  int SearchesAhead() const { return ahead_.load(); }
  int SearchesTakenOver() const { return takenOver_.load(); }
  // Player's moves announced by AnticipateMove that were the reply being pondered.
  int PredictionsMet() const { return met_.load(); }
  // Of them, those that were the best other reply rather than the expected one.
  int AlternativesMet() const { return alternativesMet_.load(); }
  double AheadCpuSeconds() const;
  // Node count and score of the last search delivered (for tests and tools).
  std::uint64_t LastNodes() const { return lastNodes_.load(); }
  int LastScore() const { return lastScore_.load(); }

 private:
  void Body();
  void RunPass();
  bool WaitForRun();
  void SetOwnPriority(TThreadPriority priority);
  bool ComputerToMove() const;
  void SearchOrTakeOver(const zelmar::TSearchRoot& root);
  void PonderReply(zelmar::TSearchMove reply);
  void DiscardAheadExcept(const zelmar::TPonderSearch* kept);
  void PublishCarried();

  TChessBrd& board_;
  // The search state, about 350 KB, kept off the thread object's own footprint. The worker uses it
  // during a pass; the main thread reads it only while the worker is parked or blocked in its call.
  std::unique_ptr<zelmar::TChessSearch> search_;
  // Names the state search_ carries into its next search: raised whenever search_ searches or is given
  // a carried state.
  std::atomic<std::uint64_t> carryTag_{0};
  // Guarded by carryMutex_: the line the next search from the position the board shows starts from,
  // for SearchCarry. search_'s own changes reach it on the main thread when the worker hands over
  // a search's move, or ends a pass whose search was stopped (with whatever the stopped search left);
  // so while a search runs, and until its move is played, it is the line that search started from,
  // and a game kept then and restored searches again from where the uninterrupted one did.
  mutable std::mutex carryMutex_;
  zelmar::TChessSearch::TCarriedLine carried_{};
  // For working out roots one move on; used only on the main thread.
  std::unique_ptr<zelmar::TChessSearch> scratch_;
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
  std::atomic<bool> pondering_{true};
  std::atomic<bool> earlyStart_{true};
  std::atomic<int> ponderReplies_{kMaxPonderReplies};
  std::atomic<int> ahead_{0};
  std::atomic<int> discards_{0};
  std::atomic<int> met_{0};
  std::atomic<int> alternativesMet_{0};
  std::atomic<int> takenOver_{0};
  std::atomic<std::uint64_t> lastNodes_{0};
  std::atomic<int> lastScore_{0};
  // The searches started ahead of time: the expected reply (or the player's certain move) first, the
  // player's best other reply second. Internally locked, used from both threads; their threads take
  // the worker's priority.
  std::array<std::unique_ptr<zelmar::TPonderSearch>, kMaxPonderReplies> ponders_;
  std::thread thread_;
};

}  // namespace zelmar
