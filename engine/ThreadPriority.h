// Priorities the computer player's worker thread may run at.
#pragma once

namespace zelmar {

// From idle to time critical; tpNormal is the platform's ordinary priority.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

}  // namespace zelmar
