// Runs one search at a time on its own thread and keeps its time: a deadline thread sets the
// search's stop request at the hard limit, and the iteration hook ends the deepening once the soft
// limit has passed. A stopped search answers with its last completed iteration.
//
// It does not take the game worker's requests and answers (TWorkerRequest, TWorkerAnswer): the engine
// program has no main-thread loop to run synchronous calls on (its reader thread blocks on the input),
// every search starts fresh with a clock rather than from a carried state, and the protocols must
// answer every search they start, a stopped one included (UCI's "bestmove" after "stop"). So it
// answers every search through its done callback, and each front keeps the generation role itself: it
// numbers its searches and ignores the answer of one it has replaced or discarded (under its lock).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/protocol/TimePlan.h"
#include "engine/search/ChessSearch.h"

namespace zelmar {

// The deepest iteration a search under a clock may reach (the search tables hold 64 plies).
inline constexpr int MaxSearchDepth = 48;

// The depth a search goes to: the limit the GUI set, or with none (0) as deep as its clock allows.
inline int DepthOrDeepest(int depthLimit) {
  return depthLimit > 0 ? depthLimit : MaxSearchDepth;
}

struct TSearchLimits {
  int Depth = MaxSearchDepth;
  std::optional<TTimePlan> Time;  // none: until the depth is reached or a stop
  bool Ponder = false;            // no clock until PonderHit
};

// What a search answers: its last completed iteration and the time it took.
struct TSearchOutcome {
  TIterationResult Result;
  TMillis Elapsed{0};
};

class TSearchSupervisor {
 public:
  using TIterationFn = std::function<void(const TIterationResult&, TMillis elapsed)>;
  using TDoneFn = std::function<void(const TSearchOutcome&)>;

  TSearchSupervisor() = default;
  TSearchSupervisor(const TSearchSupervisor&) = delete;
  TSearchSupervisor& operator=(const TSearchSupervisor&) = delete;
  // Stops a running search and joins its threads.
  ~TSearchSupervisor();

  // Starts a fresh search of the root (its depth is replaced by the limits' depth); each completed
  // iteration is reported to onIteration and the end to onDone, both on the search thread, onDone
  // as its last act. Joins the threads of an earlier search, which must have ended.
  void Start(const TSearchRoot& root, const TSearchLimits& limits, TIterationFn onIteration, TDoneFn onDone);
  // Asks the running search to end soon; it still reports through onDone. Returns at once.
  void RequestStop();
  // Starts the clock of a ponder search: the plan runs from now.
  void PonderHit(std::optional<TTimePlan> plan);
  // Waits for the threads of the last search to end (onDone has then run).
  void Join();

 private:
  void SearchBody(TSearchRoot root, TIterationFn onIteration, TDoneFn onDone);
  void DeadlineBody();
  void OnIteration(const TIterationResult& result, const TIterationFn& onIteration);

  std::unique_ptr<TChessSearch> Search;  // replaced only between searches, after Join
  std::thread SearchThread;
  std::thread DeadlineThread;

  // Guarded by Mutex: the clock of the running search, read by both of its threads.
  std::mutex Mutex;
  std::condition_variable Changed;
  std::chrono::steady_clock::time_point Started;
  std::optional<std::chrono::steady_clock::time_point> SoftDeadline;
  std::optional<std::chrono::steady_clock::time_point> HardDeadline;
  bool Finished = true;
};

}  // namespace zelmar
