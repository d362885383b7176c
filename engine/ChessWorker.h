// What the board needs of the computer player's worker thread that it owns.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "engine/Square.h"
#include "engine/ThreadPriority.h"

namespace zelmar {

// The board drives its worker only through these calls, all made on the main thread.
class TChessWorker {
 public:
  virtual ~TChessWorker() = default;

  // Asks a running pass to stop and returns only once the worker is parked and no longer reads
  // the board; keeps the main thread's synchronous-call queue running while it waits.
  virtual void Park() = 0;
  // Clears the stop request and lets a parked worker run its next pass.
  virtual void Release() = 0;
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
  // The player's move oldSq -> newSq (legal, not a promotion) is certain but not yet played: the worker
  // may start searching the position after it, which MakeMove of that move then takes over.
  virtual void AnticipateMove(Square /*oldSq*/, Square /*newSq*/) {}
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
