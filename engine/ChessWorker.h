// What the board needs of the computer player's worker thread that it owns.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "engine/ThreadPriority.h"
#include "engine/WorkerRequest.h"

namespace zelmar {

// The board drives its worker only through these calls, all made on the main thread. Each request
// carries a copy of what its search needs and the game's generation; the worker never reads the board
// from its own threads, and answers through synchronous calls that run on the main thread.
class TChessWorker {
 public:
  virtual ~TChessWorker() = default;

  // Asks a running pass to stop and returns only once the worker is parked and no longer reads
  // the board; keeps the main thread's synchronous-call queue running while it waits.
  virtual void Park() = 0;
  // Clears the stop request and hands the worker its next request: a kComputerMove or kHint request
  // starts a pass (at once when parked, else when the current one ends); any other kind leaves it parked.
  virtual void Release(const TWorkerRequest& request) = 0;
  // Ends a pass (inside the worker's synchronous call): clears the thinking flag and parks the
  // worker; answers whether a stop had been requested.
  virtual bool ParkAfterPass() = 0;
  // Whether a search is running.
  virtual bool Thinking() const = 0;
  // Applies a thread priority to the worker at once.
  virtual void ApplyPriority(TThreadPriority priority) = 0;
  // Whether the main thread is running one of this worker's synchronous calls right now, so that the
  // worker is blocked in it. A worker that cannot tell answers true.
  virtual bool InsideCall() const { return true; }
  // Runs the worker's pending synchronous calls on the main thread; returns how many ran.
  virtual int RunPendingCalls() { return 0; }
  // Waits until the worker posts a synchronous call, at most the given time.
  virtual void WaitForCalls(std::chrono::milliseconds) {}
  // A kThinkAhead request with the player's certain move (legal, not a promotion, answered by the
  // computer) not yet played: the worker may start searching the position after it, which the search
  // the move's MakeMove releases then takes over.
  virtual void AnticipateMove(const TWorkerRequest& /*request*/) {}
  // The game changed other than by a move: a search started ahead of time is stopped and thrown away.
  virtual void DiscardAhead() {}
  // The state the next search starts from, as text (see TChessBrd::SearchCarry); empty when the
  // worker carries nothing from one search to the next.
  virtual std::string SearchCarry() const { return {}; }
  // Makes `text` (from SearchCarry) the state the next search starts from; false, changing nothing,
  // for a malformed text or a worker that carries nothing.
  virtual bool SetSearchCarry(std::string_view /*text*/) { return false; }
};

}  // namespace zelmar
