// The search thread of a search started ahead of time, its stopping, and its taking over.
#include "engine/search/PonderSearch.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <ctime>

namespace zelmar {

namespace {
double OwnCpuSeconds() {
  timespec ts{};
  if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts) != 0) return 0;
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
}  // namespace

TPonderSearch::TPonderSearch(TThreadStart onThreadStart)
    : onThreadStart_(std::move(onThreadStart)), search_(std::make_unique<TChessSearch>()) {}

TPonderSearch::~TPonderSearch() {
  std::lock_guard control(control_);
  StopAndJoin();
}

bool TPonderSearch::Running(TState state) {
  return state == TState::kChoosing || state == TState::kSearching || state == TState::kAwaited ||
         state == TState::kStopping;
}

// Stops the search thread, throws its search away and waits for its end. Needs control_.
void TPonderSearch::StopAndJoin() {
  {
    std::lock_guard lock(mutex_);
    state_ = Running(state_) ? TState::kStopping : TState::kEmpty;
    search_->StopRequest = true;
    if (chooser_) chooser_->StopRequest = true;
  }
  if (thread_.joinable()) thread_.join();
}

// 1. The old search goes; 2. the carried state and the root are copied while no thread reads them;
// 3. a new thread searches.
void TPonderSearch::Start(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag) {
  std::lock_guard control(control_);
  StopAndJoin();
  std::lock_guard lock(mutex_);
  state_ = TState::kSearching;
  Launch(carry, root, tag);
}

void TPonderSearch::StartAlternative(const TChessSearch& carry, const TSearchRoot& playerRoot,
                                     TSearchMove expected, int quickDepth, std::uint64_t tag) {
  std::lock_guard control(control_);
  StopAndJoin();
  std::lock_guard lock(mutex_);
  if (!chooser_) chooser_ = std::make_unique<TChessSearch>();
  chooser_->StopRequest = false;
  state_ = TState::kChoosing;
  expected_ = expected;
  quickDepth_ = quickDepth;
  Launch(carry, playerRoot, tag);
}

// Copies the carried state and starts the thread. Needs control_ and mutex_, with no thread running.
void TPonderSearch::Launch(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag) {
  search_->CarryFrom(carry);
  search_->StopRequest = false;
  root_ = root;
  tag_ = tag;
  thread_ = std::thread([this] { Body(); });
}

void TPonderSearch::Discard() {
  std::lock_guard control(control_);
  StopAndJoin();
}

// The search thread: the owner's start-up call, the search, then the end made known to a waiting Adopt.
// The search object is not touched once the state leaves the running ones.
void TPonderSearch::Body() {
  TSearchRoot root;
  bool choose;
  {
    std::lock_guard lock(mutex_);
    threadId_ = static_cast<int>(::syscall(SYS_gettid));
    root = root_;
    choose = state_ == TState::kChoosing;
  }
  if (onThreadStart_) onThreadStart_();
  // 1. A second likely reply is chosen first; from then on the search covers the position after it.
  bool chosen = !choose;
  if (choose) {
    TSearchRoot after;
    chosen = ChooseAlternative(root, after);
    std::lock_guard lock(mutex_);
    if (chosen) root_ = root = after;
    if (state_ == TState::kChoosing) state_ = TState::kSearching;
  }
  // 2. The search itself.
  if (chosen) {
    search_->SetZelmarMode(root.ZelmarMode);
    search_->RunSearch(root);
  }
  {
    std::lock_guard lock(mutex_);
    const bool whole = chosen && state_ != TState::kStopping && !search_->StopRequest.load();
    state_ = whole ? TState::kFinished : TState::kEmpty;
    endedCpu_ += OwnCpuSeconds();
    threadId_ = 0;
  }
  ended_.notify_all();
}

// The player's best move other than the expected one, by a quick search of the player's position, and
// the root after it at the full depth; false when stopped or when there is no other legal move.
bool TPonderSearch::ChooseAlternative(const TSearchRoot& playerRoot, TSearchRoot& after) {
  TSearchRoot quick = playerRoot;
  quick.Depth = quickDepth_;
  chooser_->SetZelmarMode(quick.ZelmarMode);
  chooser_->ExcludeRootMove(expected_);
  chooser_->RunSearch(quick);
  const TIterationResult& done = chooser_->Completed();
  if (chooser_->StopRequest.load() || done.Depth != quick.Depth || done.LineLength < 1) return false;
  const TSearchMove m = done.BestMove();
  return chooser_->RootAfter(playerRoot, m.From, m.To, m.Promotion, after);
}

bool TPonderSearch::Covers(const TSearchRoot& root, std::uint64_t tag) const {
  std::lock_guard lock(mutex_);
  return CoversLocked(root, tag);
}

bool TPonderSearch::CoversLocked(const TSearchRoot& root, std::uint64_t tag) const {
  const bool hasRoot =
      state_ == TState::kSearching || state_ == TState::kAwaited || state_ == TState::kFinished;
  return hasRoot && tag == tag_ && root == root_;
}

// Waits for the end under the lock; the stop asked for by `abandon` or StopAdoption makes the end come
// at once.
bool TPonderSearch::Adopt(const TSearchRoot& root, std::uint64_t tag, TChessSearch& into,
                          const std::atomic<bool>& abandon) {
  std::unique_lock lock(mutex_);
  if (!CoversLocked(root, tag)) return false;
  if (state_ == TState::kSearching) state_ = TState::kAwaited;
  if (abandon.load()) search_->StopRequest = true;
  ended_.wait(lock, [this] { return !Running(state_); });
  const bool whole = state_ == TState::kFinished && !search_->StopRequest.load();
  state_ = TState::kEmpty;
  if (whole) into.CarryFrom(*search_);
  return whole;
}

void TPonderSearch::StopAdoption() {
  std::lock_guard lock(mutex_);
  if (state_ == TState::kAwaited) search_->StopRequest = true;
}

bool TPonderSearch::Searching() const {
  std::lock_guard lock(mutex_);
  return Running(state_);
}

int TPonderSearch::ThreadId() const {
  std::lock_guard lock(mutex_);
  return threadId_;
}

double TPonderSearch::CpuSeconds() const {
  std::lock_guard lock(mutex_);
  return endedCpu_;
}

}  // namespace zelmar
