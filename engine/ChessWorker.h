// What the board needs of the computer player's worker thread that it owns.
#pragma once

#include "engine/ThreadPriority.h"

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
};
