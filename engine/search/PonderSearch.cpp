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

// Stops the search thread, marks its search discarded and waits for its end. Needs control_.
void TPonderSearch::StopAndJoin() {
  {
    std::lock_guard lock(mutex_);
    valid_ = false;
    search_->StopRequest = true;
  }
  if (thread_.joinable()) thread_.join();
}

// 1. The old search goes; 2. the carried state and the root are copied while no thread reads them;
// 3. a new thread searches.
void TPonderSearch::Start(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag) {
  std::lock_guard control(control_);
  StopAndJoin();
  std::lock_guard lock(mutex_);
  search_->CarryFrom(carry);
  search_->StopRequest = false;
  root_ = root;
  tag_ = tag;
  valid_ = true;
  searching_ = true;
  thread_ = std::thread([this] { Body(); });
}

void TPonderSearch::Discard() {
  std::lock_guard control(control_);
  StopAndJoin();
}

// The search thread: the owner's start-up call, the search, then the end made known to a waiting Adopt.
// The search object is not touched after searching_ falls.
void TPonderSearch::Body() {
  threadId_ = static_cast<int>(::syscall(SYS_gettid));
  if (onThreadStart_) onThreadStart_();
  TSearchRoot root;
  {
    std::lock_guard lock(mutex_);
    root = root_;
  }
  search_->SetZelmarMode(root.ZelmarMode);
  search_->RunSearch(root);
  {
    std::lock_guard lock(mutex_);
    searching_ = false;
    if (search_->StopRequest.load()) valid_ = false;
    endedCpu_ += OwnCpuSeconds();
    threadId_ = 0;
  }
  ended_.notify_all();
}

bool TPonderSearch::Covers(const TSearchRoot& root, std::uint64_t tag) const {
  std::lock_guard lock(mutex_);
  return valid_ && tag == tag_ && root == root_;
}

// Waits for the end under the lock; the stop asked for by `abandon` or StopAdoption makes the end come
// at once.
bool TPonderSearch::Adopt(const TSearchRoot& root, std::uint64_t tag, TChessSearch& into,
                          const std::atomic<bool>& abandon) {
  std::unique_lock lock(mutex_);
  if (!valid_ || tag != tag_ || !(root == root_)) return false;
  adopting_ = true;
  if (abandon.load()) search_->StopRequest = true;
  ended_.wait(lock, [this] { return !searching_; });
  adopting_ = false;
  const bool whole = valid_ && !search_->StopRequest.load();
  valid_ = false;
  if (whole) into.CarryFrom(*search_);
  return whole;
}

void TPonderSearch::StopAdoption() {
  std::lock_guard lock(mutex_);
  if (adopting_) search_->StopRequest = true;
}

bool TPonderSearch::Searching() const {
  std::lock_guard lock(mutex_);
  return searching_;
}

double TPonderSearch::CpuSeconds() const {
  std::lock_guard lock(mutex_);
  return endedCpu_;
}

}  // namespace zelmar
