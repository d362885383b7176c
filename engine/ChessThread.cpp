// The worker's thread body, its parking and waking, and the priority it runs at.
#include "engine/ChessThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include <algorithm>

#include "engine/BoardRoot.h"
#include "engine/ChessBrd.h"
#include "engine/search/CarriedLineText.h"

namespace zelmar {

namespace {

// The quick search that chooses the player's best other reply looks this many plies less deep than the
// computer's own search: about a twentieth of its time.
constexpr int kAlternativeDepthCut = 2;

// Nice offset from the process's own value for each priority: lower priorities run nicer.
int NiceOffset(TThreadPriority p) {
  switch (p) {
    case tpIdle:
      return 19;
    case tpLowest:
      return 10;
    case tpLower:
      return 5;
    case tpNormal:
      return 0;
    case tpHigher:
      return -5;
    case tpHighest:
      return -10;
    case tpTimeCritical:
      return -20;
  }
  return 0;
}

int CurrentThreadId() {
  return static_cast<int>(::syscall(SYS_gettid));
}

// Sets a thread's nice value for the priority; a raise the system refuses leaves the current value.
void SetThreadNice(int threadId, int baseNice, TThreadPriority priority) {
  const int nice = std::clamp(baseNice + NiceOffset(priority), -20, 19);
  (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), nice);
}

}  // namespace

TChessThread::TChessThread(TChessBrd& board)
    : board_(board),
      search_(std::make_unique<zelmar::TChessSearch>()),
      scratch_(std::make_unique<zelmar::TChessSearch>()) {
  errno = 0;
  const int nice = ::getpriority(PRIO_PROCESS, 0);
  baseNice_ = errno == 0 ? nice : 0;
  PublishCarried();
  for (auto& ponder : ponders_)
    ponder = std::make_unique<zelmar::TPonderSearch>([this] {
      SetThreadNice(CurrentThreadId(), baseNice_, static_cast<TThreadPriority>(priority_.load()));
    });
  thread_ = std::thread([this] { Body(); });
}

TChessThread::~TChessThread() {
  search_->StopRequest = true;
  {
    std::lock_guard lock(calls_.Mutex());
    terminate_ = true;
  }
  runChanged_.notify_all();
  // A worker blocked in a synchronous call gives it up, and one waiting for a search ahead too.
  calls_.Close();
  for (auto& ponder : ponders_) ponder->Discard();
  if (thread_.joinable()) thread_.join();
}

// Parks the worker: a search running is abandoned; returns once the worker waits for Release. Called
// from inside one of the worker's own synchronous calls it cannot wait (the worker is blocked in that
// call); the stop request then makes the worker park as soon as the call returns.
// A search started ahead of time goes on unless the worker's pass is waiting for it.
void TChessThread::Park() {
  search_->StopRequest = true;
  for (auto& ponder : ponders_) ponder->StopAdoption();
  if (calls_.InCall()) return;
  for (;;) {
    calls_.RunPending();
    bool parked;
    {
      std::lock_guard lock(calls_.Mutex());
      parked = parked_ && !run_;
    }
    if (parked) return;
    calls_.Wait(std::chrono::milliseconds(50), [this] { return parked_ && !run_; });
  }
}

// Lets the worker run its next pass.
void TChessThread::Release() {
  {
    std::lock_guard lock(calls_.Mutex());
    search_->StopRequest = false;
    run_ = true;
  }
  runChanged_.notify_all();
}

// End of a pass, on the main thread inside the worker's call: the worker will park when the call
// returns unless it is released again at once.
bool TChessThread::ParkAfterPass() {
  thinking_ = false;
  std::lock_guard lock(calls_.Mutex());
  run_ = false;
  return search_->StopRequest.load();
}

bool TChessThread::Parked() const {
  std::lock_guard lock(calls_.Mutex());
  return parked_ && !run_;
}

double TChessThread::CpuSeconds() const {
  clockid_t clock;
  timespec ts{};
  if (pthread_getcpuclockid(const_cast<std::thread&>(thread_).native_handle(), &clock) != 0) return 0;
  if (clock_gettime(clock, &ts) != 0) return 0;
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void TChessThread::ApplyPriority(TThreadPriority priority) {
  priority_ = priority;
  if (threadId_.load() != 0) SetOwnPriority(priority);
  for (auto& ponder : ponders_) {
    const int ahead = ponder->ThreadId();
    if (ahead != 0) SetThreadNice(ahead, baseNice_, priority);
  }
}

void TChessThread::SetOwnPriority(TThreadPriority priority) {
  SetThreadNice(threadId_.load(), baseNice_, priority);
}

// Waits parked until released or told to end; answers whether to run a pass.
bool TChessThread::WaitForRun() {
  std::unique_lock lock(calls_.Mutex());
  if (!run_ && !terminate_) {
    parked_ = true;
    lock.unlock();
    calls_.Notify();  // a Park waiting on the main thread sees the worker parked
    lock.lock();
    runChanged_.wait(lock, [this] { return run_ || terminate_; });
    parked_ = false;
  }
  return !terminate_;
}

// The thread body: parked until released; then one pass at a time until told to end.
void TChessThread::Body() {
  threadId_ = CurrentThreadId();
  while (WaitForRun()) RunPass();
}

bool TChessThread::ComputerToMove() const {
  return (board_.ComputerPlaysWhite() && board_.WhiteToMove()) ||
         (board_.ComputerPlaysBlack() && !board_.WhiteToMove());
}

// One pass: search and deliver when the computer is to move, then end the pass on the main thread.
// A move the board refuses ends the pass at once; one found under a mode changed since is dropped.
// With nothing to do the worker parks at once and stays parked until released, using no CPU.
void TChessThread::RunPass() {
  // 1. Computer to move?
  if (!ComputerToMove()) {
    std::lock_guard lock(calls_.Mutex());
    run_ = false;
    return;
  }
  // 2. Search (or take over the search started ahead of time): the priority, the thinking flag.
  const zelmar::TSearchRoot root = RootFromBoard(board_, board_.SearchDepth());
  SetOwnPriority(static_cast<TThreadPriority>(priority_.load()));
  thinking_ = true;
  SearchOrTakeOver(root);
  if (!search_->StopRequest.load()) {
    thinking_ = false;
    const zelmar::TSearchMove m = search_->BestMove();
    zelmar::TSearchMove reply;
    const bool expects = search_->ExpectedReply(reply);
    bool refused = false;
    calls_.CallAndWait([this, m, reply, expects, mode = root.ZelmarMode, &refused] {
      PublishCarried();
      // The mode is set without parking the worker: a move found under the old one may be illegal
      // now, so it is not offered; the end of the pass below starts a search under the new mode.
      if (board_.ZelmarMode() != mode) return;
      ++delivered_;
      const int discards = discards_.load();
      refused = !board_.PlayMove(static_cast<Square>(m.From + 1), static_cast<Square>(m.To + 1));
      // Pondering starts here, on the main thread, where nothing can change the game meanwhile; not
      // when the move's own events changed it (the searches ahead were then discarded).
      if (!refused && expects && discards == discards_.load()) PonderReply(reply);
      if (!refused) return;
      // A stale move of a root without legal moves (a finished game): nothing to do in this position,
      // so the pass ends here and the worker parks until the board releases it again instead of
      // searching it over and over. The pass ends on the main thread, before the call returns, so
      // that a Release the board makes right after the call is never undone by the worker.
      ++refused_;
      std::lock_guard lock(calls_.Mutex());
      run_ = false;
    });
    if (refused) return;
  }
  // 3. End of the pass on the main thread; the board parks or releases the worker.
  lastNodes_ = search_->Nodes();
  lastScore_ = search_->LastScore();
  if (!calls_.CallAndWait([this] {
        PublishCarried();
        board_.TurnDone();
      })) {
    std::lock_guard lock(calls_.Mutex());
    run_ = false;
  }
  thinking_ = false;
}

// Takes over the search started ahead of time when it was of this very root from this very state (the
// tag unchanged); otherwise throws it away and searches here. Either way search_ ends as the plain
// search leaves it.
void TChessThread::SearchOrTakeOver(const zelmar::TSearchRoot& root) {
  const std::uint64_t tag = carryTag_.load();
  zelmar::TPonderSearch* covering = nullptr;
  for (auto& ponder : ponders_)
    if (ponder->Covers(root, tag)) covering = ponder.get();
  DiscardAheadExcept(covering);  // the others' machine goes to the one taken over
  bool taken = false;
  if (covering) taken = covering->Adopt(root, tag, *search_, search_->StopRequest);
  if (taken) {
    ++takenOver_;
  } else {
    DiscardAheadExcept(nullptr);
    search_->SetZelmarMode(root.ZelmarMode);
    search_->RunSearch(root);
  }
  ++carryTag_;
}

// On the main thread, inside the delivery call, right after the computer's move: searches the position
// after the expected reply when the player is to answer it, and the one after the best other reply.
void TChessThread::PonderReply(zelmar::TSearchMove reply) {
  if (!pondering_.load() || ComputerToMove()) return;
  const zelmar::TSearchRoot now = RootFromBoard(board_, board_.SearchDepth());
  zelmar::TSearchRoot after;
  if (!scratch_->RootAfter(now, reply.From, reply.To, reply.Promotion, after)) return;
  const std::uint64_t tag = carryTag_.load();
  ponders_[0]->Start(*search_, after, tag);
  ++ahead_;
  if (ponderReplies_.load() < 2) return;
  ponders_[1]->StartAlternative(*search_, now, reply, std::max(1, now.Depth - kAlternativeDepthCut), tag);
  ++ahead_;
}

// Stops and throws away every search ahead but the one given (which may be none).
void TChessThread::DiscardAheadExcept(const zelmar::TPonderSearch* kept) {
  for (auto& ponder : ponders_)
    if (ponder.get() != kept) ponder->Discard();
}

// On the main thread while the worker is parked (so search_ is still): searches the position after the
// player's certain move unless that search already runs (the expected reply) or the computer does not
// answer it.
void TChessThread::AnticipateMove(Square oldSq, Square newSq) {
  if (!earlyStart_.load()) return;
  {
    std::lock_guard lock(calls_.Mutex());
    if (!parked_ || run_) return;
  }
  const zelmar::TSearchRoot now = RootFromBoard(board_, board_.SearchDepth());
  zelmar::TSearchRoot after;
  if (!scratch_->RootAfter(now, Ord(oldSq) - 1, Ord(newSq) - 1, zelmar::kQueen, after)) return;
  const bool computerAnswers = after.WhiteToMove ? board_.ComputerPlaysWhite() : board_.ComputerPlaysBlack();
  const std::uint64_t tag = carryTag_.load();
  if (!computerAnswers) return;
  for (auto& ponder : ponders_) {
    if (!ponder->Covers(after, tag)) continue;
    ++met_;
    if (ponder != ponders_[0]) ++alternativesMet_;
    DiscardAheadExcept(ponder.get());
    return;
  }
  DiscardAheadExcept(ponders_[0].get());
  ponders_[0]->Start(*search_, after, tag);
  ++ahead_;
}

void TChessThread::DiscardAhead() {
  ++discards_;  // a pondering start under way in the delivery call sees the game changed
  DiscardAheadExcept(nullptr);
}

// On the main thread inside the worker's call, where search_ is still: the game sees the search's
// state change with its move, or at the end of the pass that was stopped.
void TChessThread::PublishCarried() {
  std::lock_guard lock(carryMutex_);
  carried_ = search_->CarriedLine();
}

std::string TChessThread::SearchCarry() const {
  std::lock_guard lock(carryMutex_);
  return CarriedLineText(carried_);
}

// Called inside one of the worker's own calls, Park cannot wait; the worker is blocked in that call
// then, past its search, and reads nothing of the carried line afterwards.
bool TChessThread::SetSearchCarry(std::string_view text) {
  const auto line = ParseCarriedLine(text);
  if (!line) return false;
  Park();
  DiscardAhead();
  search_->SetCarriedLine(*line);
  {
    std::lock_guard lock(carryMutex_);
    carried_ = *line;
  }
  ++carryTag_;  // no search ahead started from the old state can ever be taken over
  return true;
}

void TChessThread::SetPondering(bool on) {
  pondering_ = on;
  if (!on) DiscardAheadExcept(nullptr);
}

void TChessThread::SetEarlyStart(bool on) {
  earlyStart_ = on;
  if (!on) DiscardAheadExcept(nullptr);
}

void TChessThread::SetPonderReplies(int count) {
  ponderReplies_ = std::clamp(count, 1, kMaxPonderReplies);
  if (count < kMaxPonderReplies) ponders_[1]->Discard();
}

bool TChessThread::SearchingAhead() const {
  return std::any_of(ponders_.begin(), ponders_.end(), [](const auto& p) { return p->Searching(); });
}

double TChessThread::AheadCpuSeconds() const {
  double sum = 0;
  for (const auto& ponder : ponders_) sum += ponder->CpuSeconds();
  return sum;
}
}  // namespace zelmar
