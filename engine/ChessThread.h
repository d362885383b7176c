// The computer player's worker thread. The board sends it requests, each with a copy of the position
// and the game's generation: search this position for the computer (Release), think ahead from here
// (AnticipateMove), stop (Park), quit (the destructor). It searches, and hands its answer back through
// a synchronous call that runs on the main thread, where the board plays the move like any other
// unless the game has changed since the request (its generation is no longer the current one); such
// a stale answer is dropped and counted.
//
// It also thinks ahead. After delivering a move it searches, on a second thread, the position after
// the reply it expects (pondering), and on a third the position after the player's best other reply;
// once the player's move is certain it searches the position after that move (the early start). It
// thinks ahead only while the machine runs on mains power, checked as each of these would start. Each
// search starts from exactly the state the worker's own search would start from, and is taken over as
// the real search when the board comes to that very position with that state unchanged, so every move
// and node count is the one the plain search gives.
//
// A hint (a kHint request) is searched on the worker thread by a search object of its own, which starts
// every hint from a fresh object's state, so the computer's own search and its searches ahead never see it.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "engine/ChessWorker.h"
#include "engine/SyncCallQueue.h"
#include "engine/WorkerCounts.h"
#include "engine/WorkerRequest.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/PonderSearch.h"

namespace zelmar {

class TChessBrd;

class TChessThread final : public TChessWorker {
 public:
  // Starts the thread parked, waiting for its first request.
  explicit TChessThread(TChessBrd& board);
  // Sends the quit request, wakes the thread whatever it is doing, and joins it.
  ~TChessThread() override;
  TChessThread(const TChessThread&) = delete;
  TChessThread& operator=(const TChessThread&) = delete;

  void Park() override;
  void Release(const TWorkerRequest& request) override;
  bool ParkAfterPass() override;
  bool Thinking() const override;
  void ApplyPriority(TThreadPriority priority) override;
  bool InsideCall() const override { return calls_.InCall(); }
  int RunPendingCalls() override { return calls_.RunPending(); }
  void WaitForCalls(std::chrono::milliseconds timeout) override { calls_.Wait(timeout); }
  void AnticipateMove(const TWorkerRequest& request) override;
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
  // The power-supply folder the battery check reads (PowerSupplyFolder() at first); on the main thread.
  void SetPowerSupplyFolder(std::filesystem::path folder);

  // Whether the thread is parked (waiting for a request), for tests and tools.
  bool Parked() const;
  // Whether the worker has posted a synchronous call that the main thread has not run yet.
  bool CallPending() const { return calls_.HasPending(); }
  // The thread's system id (0 until it has started) and the processor time it has used.
  int ThreadId() const;
  double CpuSeconds() const;
  // What the worker has done so far, as one snapshot (for tests and tools).
  TWorkerCounts Counts() const;
  // Single counters of the snapshot, for the tests and tools that read one at a time.
  int MovesDelivered() const { return Counts().Delivered; }
  int MovesRefused() const { return Counts().Refused; }
  int SearchesAhead() const { return Counts().Ahead; }
  int SearchesTakenOver() const { return Counts().TakenOver; }
  int PredictionsMet() const { return Counts().PredictionsMet; }
  int AlternativesMet() const { return Counts().AlternativesMet; }
  std::uint64_t LastNodes() const { return Counts().LastNodes; }
  int LastScore() const { return Counts().LastScore; }
  // Processor time of the threads that searched ahead.
  double AheadCpuSeconds() const;

 private:
  // Where the thread is between requests.
  enum class TState {
    kStarting,     // not yet waiting for its first request
    kParked,       // waiting for a request
    kSearching,    // searching (or taking over a search ahead) for a request
    kHandingOver,  // past its search, posting its answer and the end of its pass
  };

  void Body();
  TWorkerRequest NextRequest();
  void RunPass(const TWorkerRequest& request);
  bool Deliver(const TWorkerAnswer& answer);
  void SetState(TState state);
  void DropPendingLocked();  // needs mutex_
  TThreadPriority Priority() const;
  bool OnMainsPower() const;
  void SearchOrTakeOver(const zelmar::TSearchRoot& root);
  void SearchHint(const zelmar::TSearchRoot& root);
  void ThinkAhead(const TWorkerRequest& request);
  void PonderReply(const TWorkerRequest& request);
  void StartOnCertainMove(const TWorkerRequest& request);
  void DiscardAheadExcept(const zelmar::TPonderSearch* kept);
  void PublishCarried();

  // Used only on the main thread: inside the worker's synchronous calls, and in the requests the board
  // sends. The worker thread never reads the board.
  TChessBrd& board_;

  // Owned by the worker thread while it runs a pass; the main thread uses them only while the worker
  // is parked or blocked in one of its calls. search_'s StopRequest is the one field any thread sets.
  // The search state, about 350 KB, kept off the thread object's own footprint.
  std::unique_ptr<zelmar::TChessSearch> search_;
  // Names the state search_ carries into its next search: raised whenever search_ searches or is given
  // a carried state, so that a search ahead started from an older state is never taken over.
  std::uint64_t carryTag_ = 0;
  // The hints' own search, and the line a fresh search object starts from (restored before every hint);
  // owned like search_, whose stop rules its StopRequest follows.
  std::unique_ptr<zelmar::TChessSearch> hintSearch_;
  zelmar::TChessSearch::TCarriedLine freshLine_{};

  // Guarded by carryMutex_: the line the next search from the position the board shows starts from,
  // for SearchCarry. search_'s own changes reach it on the main thread when the worker hands over
  // a search's move, or ends a pass whose search was stopped (with whatever the stopped search left);
  // so while a search runs, and until its move is played, it is the line that search started from,
  // and a game kept then and restored searches again from where the uninterrupted one did.
  mutable std::mutex carryMutex_;
  zelmar::TChessSearch::TCarriedLine carried_{};

  // Owned by the main thread.
  std::unique_ptr<zelmar::TChessSearch> scratch_;  // for working out roots one move on
  std::filesystem::path powerFolder_;              // where the battery check looks
  bool pondering_ = true;
  bool earlyStart_ = true;
  int ponderReplies_ = kMaxPonderReplies;

  // Set at construction, read-only afterwards: the process's nice value that priorities offset.
  int baseNice_ = 0;

  // Internally locked: the worker's synchronous calls to the main thread.
  TSyncCallQueue calls_;

  // Guarded by mutex_ (never held while taking calls_'s lock or a search ahead's lock).
  mutable std::mutex mutex_;
  std::condition_variable requestChanged_;
  std::optional<TWorkerRequest> pending_;  // the next request; a kQuit one stays until the thread ends
  TState state_ = TState::kStarting;
  TWorkerCounts counts_;
  int threadId_ = 0;
  TThreadPriority priority_ = tpNormal;

  // The searches started ahead of time: the expected reply (or the player's certain move) first, the
  // player's best other reply second. Internally locked: started and discarded on the main thread,
  // taken over on the worker thread; their threads take the worker's priority.
  std::array<std::unique_ptr<zelmar::TPonderSearch>, kMaxPonderReplies> ponders_;
  std::thread thread_;
};

}  // namespace zelmar
