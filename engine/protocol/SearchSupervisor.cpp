// The search supervisor: one search thread and one deadline thread per search.
#include "engine/protocol/SearchSupervisor.h"

#include <utility>

namespace zelmar {

using TSteady = std::chrono::steady_clock;

TSearchSupervisor::~TSearchSupervisor() {
  RequestStop();
  Join();
}

void TSearchSupervisor::Start(const TSearchRoot& root, const TSearchLimits& limits, TIterationFn onIteration,
                              TDoneFn onDone) {
  Join();
  // 1. A fresh search object for every search, so that a fixed depth gives the same move and node
  //    count as any other fresh search of the position.
  Search = std::make_unique<TChessSearch>();
  Search->SetZelmarMode(root.ZelmarMode);
  // 2. The clock.
  {
    std::lock_guard lock(Mutex);
    Finished = false;
    Started = TSteady::now();
    SoftDeadline.reset();
    HardDeadline.reset();
    if (limits.Time && !limits.Ponder) {
      SoftDeadline = Started + limits.Time->Soft;
      HardDeadline = Started + limits.Time->Hard;
    }
  }
  // 3. The threads.
  TSearchRoot r = root;
  r.Depth = limits.Depth;
  Search->SetIterationHook(
      [this, onIteration](const TIterationResult& result) { OnIteration(result, onIteration); });
  SearchThread =
      std::thread(&TSearchSupervisor::SearchBody, this, r, std::move(onIteration), std::move(onDone));
  DeadlineThread = std::thread(&TSearchSupervisor::DeadlineBody, this);
}

void TSearchSupervisor::SearchBody(TSearchRoot root, TIterationFn onIteration, TDoneFn onDone) {
  (void)onIteration;  // reached through the hook
  Search->RunSearch(root);
  TSearchOutcome outcome;
  outcome.Result = Search->Completed();
  {
    std::lock_guard lock(Mutex);
    Finished = true;
    outcome.Elapsed = std::chrono::duration_cast<TMillis>(TSteady::now() - Started);
  }
  Changed.notify_all();
  onDone(outcome);
}

// Reports the iteration, then ends the deepening when the soft limit has passed.
void TSearchSupervisor::OnIteration(const TIterationResult& result, const TIterationFn& onIteration) {
  bool pastSoft = false;
  TMillis elapsed;
  {
    std::lock_guard lock(Mutex);
    const auto now = TSteady::now();
    elapsed = std::chrono::duration_cast<TMillis>(now - Started);
    pastSoft = SoftDeadline && now >= *SoftDeadline;
  }
  if (onIteration) onIteration(result, elapsed);
  if (pastSoft) Search->StopRequest.store(true);
}

// Sleeps until the hard deadline (which a ponder hit may set later) or the end of the search.
void TSearchSupervisor::DeadlineBody() {
  std::unique_lock lock(Mutex);
  while (!Finished) {
    if (!HardDeadline) {
      Changed.wait(lock);
      continue;
    }
    const auto deadline = *HardDeadline;
    if (Changed.wait_until(lock, deadline) == std::cv_status::timeout && !Finished &&
        HardDeadline == deadline) {
      Search->StopRequest.store(true);
      return;
    }
  }
}

void TSearchSupervisor::RequestStop() {
  std::lock_guard lock(Mutex);
  if (Search && !Finished) Search->StopRequest.store(true);
}

void TSearchSupervisor::PonderHit(std::optional<TTimePlan> plan) {
  {
    std::lock_guard lock(Mutex);
    if (Finished || !plan) return;
    const auto now = TSteady::now();
    SoftDeadline = now + plan->Soft;
    HardDeadline = now + plan->Hard;
  }
  Changed.notify_all();
}

void TSearchSupervisor::Join() {
  if (SearchThread.joinable()) SearchThread.join();
  if (DeadlineThread.joinable()) DeadlineThread.join();
}

}  // namespace zelmar
