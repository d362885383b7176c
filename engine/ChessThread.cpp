// The worker's thread body, its parking and waking, and the priority it runs at.
#include "engine/ChessThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include <algorithm>
#include <utility>

#include "engine/BoardRoot.h"
#include "engine/ChessBrd.h"
#include "engine/PowerSupply.h"
#include "engine/ThreadPriority.h"
#include "engine/search/CarriedLineText.h"

namespace zelmar {

namespace {

// The quick search that chooses the player's best other reply looks this many plies less deep than the
// computer's own search: about a twentieth of its time.
constexpr int kAlternativeDepthCut = 2;

}  // namespace

TChessThread::TChessThread(TChessBrd& board)
    : board_(board),
      search_(std::make_unique<zelmar::TChessSearch>()),
      hintSearch_(std::make_unique<zelmar::TChessSearch>()),
      scratch_(std::make_unique<zelmar::TChessSearch>()),
      powerFolder_(PowerSupplyFolder()) {
  baseNice_ = ProcessNice();
  freshLine_ = hintSearch_->CarriedLine();
  PublishCarried();
  for (auto& ponder : ponders_)
    ponder = std::make_unique<zelmar::TPonderSearch>(
        [this] { SetThreadNice(CurrentThreadId(), baseNice_, Priority()); });
  thread_ = std::thread([this] { Body(); });
}

TChessThread::~TChessThread() {
  search_->StopRequest = true;
  hintSearch_->StopRequest = true;
  {
    std::lock_guard lock(mutex_);
    pending_.emplace();
    pending_->Kind = TRequestKind::kQuit;
  }
  requestChanged_.notify_all();
  // A worker blocked in a synchronous call gives it up, and one waiting for a search ahead too.
  calls_.Close();
  for (auto& ponder : ponders_) ponder->Discard();
  if (thread_.joinable()) thread_.join();
}

// The stop request: a search running is abandoned and a request not yet taken dropped; returns once
// the worker waits for its next request. Called from inside one of the worker's own synchronous calls
// it cannot wait (the worker is blocked in that call); the stop then makes the worker park as soon as
// the call returns. A search started ahead of time goes on unless the worker's pass is waiting for it.
void TChessThread::Park() {
  search_->StopRequest = true;
  hintSearch_->StopRequest = true;
  for (auto& ponder : ponders_) ponder->StopAdoption();
  if (calls_.InCall()) return;
  {
    std::lock_guard lock(mutex_);
    DropPendingLocked();
  }
  for (;;) {
    calls_.RunPending();
    if (Parked()) return;
    calls_.Wait(std::chrono::milliseconds(50), [this] { return Parked(); });
  }
}

// A computer-move or hint request starts a pass; any other kind leaves the worker parked.
void TChessThread::Release(const TWorkerRequest& request) {
  {
    std::lock_guard lock(mutex_);
    if (pending_ && pending_->Kind == TRequestKind::kQuit) return;
    search_->StopRequest = false;
    hintSearch_->StopRequest = false;
    if (request.Kind == TRequestKind::kComputerMove || request.Kind == TRequestKind::kHint)
      pending_ = request;
    else
      pending_.reset();
  }
  requestChanged_.notify_all();
}

// End of a pass, on the main thread inside the worker's call: the worker will park when the call
// returns unless it is released again at once.
bool TChessThread::ParkAfterPass() {
  std::lock_guard lock(mutex_);
  DropPendingLocked();
  return search_->StopRequest.load() || hintSearch_->StopRequest.load();
}

void TChessThread::DropPendingLocked() {
  if (pending_ && pending_->Kind != TRequestKind::kQuit) pending_.reset();
}

bool TChessThread::Thinking() const {
  std::lock_guard lock(mutex_);
  return state_ == TState::kSearching;
}

bool TChessThread::Parked() const {
  std::lock_guard lock(mutex_);
  return state_ == TState::kParked && !pending_;
}

int TChessThread::ThreadId() const {
  std::lock_guard lock(mutex_);
  return threadId_;
}

TWorkerCounts TChessThread::Counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}

TThreadPriority TChessThread::Priority() const {
  std::lock_guard lock(mutex_);
  return priority_;
}

void TChessThread::SetState(TState state) {
  std::lock_guard lock(mutex_);
  state_ = state;
}

double TChessThread::CpuSeconds() const {
  clockid_t clock;
  timespec ts{};
  if (pthread_getcpuclockid(const_cast<std::thread&>(thread_).native_handle(), &clock) != 0) return 0;
  if (clock_gettime(clock, &ts) != 0) return 0;
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void TChessThread::ApplyPriority(TThreadPriority priority) {
  int own;
  {
    std::lock_guard lock(mutex_);
    priority_ = priority;
    own = threadId_;
  }
  if (own != 0) SetThreadNice(own, baseNice_, priority);
  for (auto& ponder : ponders_) {
    const int ahead = ponder->ThreadId();
    if (ahead != 0) SetThreadNice(ahead, baseNice_, priority);
  }
}

// Waits parked until a request comes, and takes it (a quit request stays for good).
TWorkerRequest TChessThread::NextRequest() {
  std::unique_lock lock(mutex_);
  if (!pending_) {
    state_ = TState::kParked;
    lock.unlock();
    calls_.Notify();  // a Park waiting on the main thread sees the worker parked
    lock.lock();
    requestChanged_.wait(lock, [this] { return pending_.has_value(); });
  }
  const TWorkerRequest request = *pending_;
  DropPendingLocked();
  state_ = TState::kSearching;
  return request;
}

// The thread body: one request at a time until the quit request.
void TChessThread::Body() {
  {
    std::lock_guard lock(mutex_);
    threadId_ = CurrentThreadId();
  }
  for (;;) {
    const TWorkerRequest request = NextRequest();
    if (request.Kind == TRequestKind::kQuit) return;
    RunPass(request);
  }
}

// One pass for a computer-move or hint request: search, answer, then end the pass on the main thread,
// where the board parks or releases the worker. A move the board refuses ends the pass at once.
void TChessThread::RunPass(const TWorkerRequest& request) {
  const bool hint = request.Kind == TRequestKind::kHint;
  zelmar::TChessSearch& search = hint ? *hintSearch_ : *search_;
  // 1. Search (or take over the search started ahead of time) at the worker's priority.
  SetThreadNice(CurrentThreadId(), baseNice_, Priority());
  if (hint)
    SearchHint(request.Root);
  else
    SearchOrTakeOver(request.Root);
  SetState(TState::kHandingOver);
  // 2. The answer, unless the search was stopped.
  if (!search.StopRequest.load()) {
    TWorkerAnswer answer;
    answer.Kind = request.Kind;
    answer.Generation = request.Generation;
    answer.Move = search.BestMove();
    answer.ExpectsReply = search.ExpectedReply(answer.Reply);
    answer.Nodes = search.Nodes();
    answer.Score = search.LastScore();
    bool refused = false;
    calls_.CallAndWait([this, &answer, &refused] { refused = !Deliver(answer); });
    if (refused) return;
  }
  // 3. End of the pass on the main thread; the board parks or releases the worker.
  if (!hint) {
    std::lock_guard lock(mutex_);
    counts_.LastNodes = search_->Nodes();
    counts_.LastScore = search_->LastScore();
  }
  if (!calls_.CallAndWait([this] {
        PublishCarried();
        board_.TurnDone();
      })) {
    std::lock_guard lock(mutex_);
    DropPendingLocked();
  }
}

// On the main thread inside the worker's call: plays the answer's move when its request's generation
// is still the board's, and drops it (counted) otherwise. Answers false when the board refused it.
bool TChessThread::Deliver(const TWorkerAnswer& answer) {
  if (answer.Kind == TRequestKind::kHint) {
    {
      std::lock_guard lock(mutex_);
      counts_.HintNodes = answer.Nodes;
    }
    const bool taken = board_.DeliverHint(answer);
    std::lock_guard lock(mutex_);
    ++(taken ? counts_.Hints : counts_.Stale);
    return true;
  }
  PublishCarried();
  const std::uint64_t generation = board_.Generation();
  if (answer.Generation != generation) {
    // The game changed without parking the worker (a mode or level change): the move may not fit
    // the game now, and the end of the pass releases a search of the current one.
    std::lock_guard lock(mutex_);
    ++counts_.Stale;
    return true;
  }
  {
    std::lock_guard lock(mutex_);
    ++counts_.Delivered;
  }
  if (board_.PlayAnswer(static_cast<Square>(answer.Move.From + 1), static_cast<Square>(answer.Move.To + 1),
                        answer.Generation)) {
    // Pondering starts here, on the main thread, where nothing can change the game meanwhile; not when
    // the move's own events changed the game again (the move itself raised the generation once).
    const bool onlyTheMove = board_.Generation() == generation + 1;
    if (answer.ExpectsReply && onlyTheMove) {
      TWorkerRequest ahead;
      ahead.Kind = TRequestKind::kThinkAhead;
      ahead.Root = RootFromBoard(board_, board_.SearchDepth());
      ahead.Move = answer.Reply;
      ahead.Generation = board_.Generation();
      ThinkAhead(ahead);
    }
    return true;
  }
  // A stale move of a root without legal moves (a finished game): nothing to do in this position, so
  // the pass ends here and the worker parks until the board releases it again instead of searching it
  // over and over. The pass ends on the main thread, before the call returns, so that a Release the
  // board makes right after the call is never undone by the worker.
  std::lock_guard lock(mutex_);
  ++counts_.Refused;
  DropPendingLocked();
  return false;
}

// Takes over the search started ahead of time when it was of this very root from this very state (the
// tag unchanged); otherwise throws it away and searches here. Either way search_ ends as the plain
// search leaves it.
void TChessThread::SearchOrTakeOver(const zelmar::TSearchRoot& root) {
  zelmar::TPonderSearch* covering = nullptr;
  for (auto& ponder : ponders_)
    if (ponder->Covers(root, carryTag_)) covering = ponder.get();
  DiscardAheadExcept(covering);  // the others' machine goes to the one taken over
  bool taken = false;
  if (covering) taken = covering->Adopt(root, carryTag_, *search_, search_->StopRequest);
  if (taken) {
    std::lock_guard lock(mutex_);
    ++counts_.TakenOver;
  } else {
    DiscardAheadExcept(nullptr);
    search_->SetZelmarMode(root.ZelmarMode);
    search_->RunSearch(root);
  }
  ++carryTag_;
}

// A hint: the plain search of the player's position from a fresh object's state, leaving search_, its
// carried state and every search ahead as they were.
void TChessThread::SearchHint(const zelmar::TSearchRoot& root) {
  hintSearch_->SetCarriedLine(freshLine_);
  hintSearch_->SetZelmarMode(root.ZelmarMode);
  hintSearch_->RunSearch(root);
}

// A think-ahead request, on the main thread while the worker's search state is still: the reply the
// computer expects, or the move the player has chosen.
void TChessThread::ThinkAhead(const TWorkerRequest& request) {
  if (request.MoveCertain)
    StartOnCertainMove(request);
  else
    PonderReply(request);
}

// Right after the computer's move: searches the position after the expected reply when the player is
// to answer it, and the one after the best other reply.
void TChessThread::PonderReply(const TWorkerRequest& request) {
  if (!pondering_ || board_.ComputerToMove() || !OnMainsPower()) return;
  const zelmar::TSearchRoot& now = request.Root;
  zelmar::TSearchRoot after;
  if (!scratch_->RootAfter(now, request.Move.From, request.Move.To, request.Move.Promotion, after)) return;
  ponders_[0]->Start(*search_, after, carryTag_);
  int started = 1;
  if (ponderReplies_ >= kMaxPonderReplies) {
    ponders_[1]->StartAlternative(*search_, now, request.Move, std::max(1, now.Depth - kAlternativeDepthCut),
                                  carryTag_);
    ++started;
  }
  std::lock_guard lock(mutex_);
  counts_.Ahead += started;
}

// While the worker is parked: searches the position after the player's certain move unless that search
// already runs (the expected reply) or the machine runs on battery.
void TChessThread::StartOnCertainMove(const TWorkerRequest& request) {
  zelmar::TSearchRoot after;
  if (!scratch_->RootAfter(request.Root, request.Move.From, request.Move.To, request.Move.Promotion, after))
    return;
  for (auto& ponder : ponders_) {
    if (!ponder->Covers(after, carryTag_)) continue;
    {
      std::lock_guard lock(mutex_);
      ++counts_.PredictionsMet;
      if (ponder != ponders_[0]) ++counts_.AlternativesMet;
    }
    DiscardAheadExcept(ponder.get());
    return;
  }
  if (!OnMainsPower()) {
    DiscardAheadExcept(nullptr);  // none of them covers the move: their work is of no use
    return;
  }
  DiscardAheadExcept(ponders_[0].get());
  ponders_[0]->Start(*search_, after, carryTag_);
  std::lock_guard lock(mutex_);
  ++counts_.Ahead;
}

void TChessThread::AnticipateMove(const TWorkerRequest& request) {
  if (!earlyStart_ || !Parked()) return;
  ThinkAhead(request);
}

// Stops and throws away every search ahead but the one given (which may be none).
void TChessThread::DiscardAheadExcept(const zelmar::TPonderSearch* kept) {
  for (auto& ponder : ponders_)
    if (ponder.get() != kept) ponder->Discard();
}

void TChessThread::DiscardAhead() {
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

void TChessThread::SetPowerSupplyFolder(std::filesystem::path folder) {
  powerFolder_ = std::move(folder);
}

// Read afresh at each search ahead that would start, so that pulling the plug counts from the next one.
bool TChessThread::OnMainsPower() const {
  return !OnBattery(powerFolder_);
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
