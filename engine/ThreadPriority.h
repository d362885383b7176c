// Priorities the computer player's worker thread and the game's other background threads may run at.
#pragma once

namespace zelmar {

// From idle to time critical; tpNormal is the platform's ordinary priority.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The calling thread's system id.
int CurrentThreadId();
// The process's own nice value, which the priorities offset (0 when it cannot be read).
int ProcessNice();
// Sets a thread's nice value for the priority, offset from `baseNice`; a raise the system refuses leaves
// the current value.
void SetThreadNice(int threadId, int baseNice, TThreadPriority priority);

}  // namespace zelmar
