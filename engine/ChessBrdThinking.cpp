// Hand-off with the computer player: parking and releasing the worker, and a custom move source.
#include "engine/ChessBrd.h"

#include <algorithm>

#include "engine/BoardRoot.h"
#include "engine/SearchLevel.h"
#include "engine/search/SearchDefs.h"

namespace zelmar {

bool TChessBrd::ComputerToMove() const {
  return (computerPlaysWhite_ && whiteToMove_) || (computerPlaysBlack_ && !whiteToMove_);
}

void TChessBrd::AttachWorker(std::unique_ptr<TChessWorker> worker) {
  if (worker_ && !customEngine_) worker_->Park();
  worker_ = std::move(worker);
  if (worker_) worker_->ApplyPriority(thinkingPriority_);
}

// Every operation that changes what the worker reads runs this first. Inside a game-end handler the
// worker may itself be waiting for that handler, so it is neither signalled nor waited for then. The
// flag outlives the handler (until the next move), so it holds back the park only while the worker
// really is blocked in its call: afterwards the board must not change under a running search.
// A search the worker started ahead of time goes too: only a move (MakeMove) may take it over.
// The generation rises after the park, so that a computer move the park still hands over counts.
void TChessBrd::StopThinking() {
  ParkWorker();
  DiscardAhead();
  RaiseGeneration();
  halted_ = true;
}

TWorkerRequest TChessBrd::SearchRequest() const {
  TWorkerRequest request;
  request.Kind = ComputerToMove() ? TRequestKind::kComputerMove : TRequestKind::kStop;
  request.Root = RootFromBoard(*this, searchDepth_);
  request.Generation = generation_;
  return request;
}

TWorkerRequest TChessBrd::HintRequest() const {
  TWorkerRequest request;
  request.Kind = TRequestKind::kHint;
  request.Root = RootFromBoard(*this, std::min(searchDepth_, kHighestHintLevel));
  request.Generation = generation_;
  return request;
}

bool TChessBrd::AskHint() {
  if (customEngine_ || !worker_ || loading_ || ComputerToMove() || !HasLegalMove()) return false;
  hintAsked_ = generation_;
  worker_->Release(HintRequest());
  return true;
}

// The search's promotion kinds as the letters the board's events use.
namespace {
char PromotionLetter(int kind) {
  switch (kind) {
    case kKnight:
      return 'n';
    case kBishop:
      return 'b';
    case kRook:
      return 'r';
    default:
      return 'q';
  }
}
}  // namespace

bool TChessBrd::DeliverHint(const TWorkerAnswer& answer) {
  if (hintAsked_ == answer.Generation) hintAsked_.reset();
  if (answer.Generation != generation_) return false;
  const Square from = static_cast<Square>(answer.Move.From + 1), to = static_cast<Square>(answer.Move.To + 1);
  if (!IsLegalMove(from, to)) return false;
  const char piece = PieceAt(from);
  const bool promotes = (piece == 'P' || piece == 'p') && (RankOf(to) == 8 || RankOf(to) == 1);
  if (OnHint) OnHint(*this, from, to, promotes ? PromotionLetter(answer.Move.Promotion) : '\0');
  return true;
}

void TChessBrd::DiscardAhead() {
  if (!customEngine_ && worker_) worker_->DiscardAhead();
}

// The player's move is certain (found legal, not a promotion still to be chosen) but not played yet.
void TChessBrd::AnticipateMove(Square oldSq, Square newSq) {
  if (customEngine_ || !worker_ || loading_ || !IsLegalMove(oldSq, newSq)) return;
  const bool computerAnswers = whiteToMove_ ? computerPlaysBlack_ : computerPlaysWhite_;
  if (!computerAnswers) return;
  TWorkerRequest request;
  request.Kind = TRequestKind::kThinkAhead;
  request.Root = RootFromBoard(*this, searchDepth_);
  request.Move = TSearchMove{static_cast<std::uint8_t>(Ord(oldSq) - 1),
                             static_cast<std::uint8_t>(Ord(newSq) - 1), static_cast<std::uint8_t>(kQueen), 0};
  request.MoveCertain = true;
  request.Generation = generation_;
  worker_->AnticipateMove(request);
}

void TChessBrd::ParkWorker() {
  if (!customEngine_ && worker_ && !(inGameEndEvent_ && worker_->InsideCall())) worker_->Park();
}

// Switching to a custom move source parks the worker first: from then on the board no longer parks it
// before changing what it reads. Halted stays as it was.
void TChessBrd::SetCustomEngine(bool value) {
  if (value && !customEngine_) ParkWorker();
  customEngine_ = value;
}

// Releases the worker; with a custom move source, asks it for the computer's move and plays it.
void TChessBrd::StartThinking() {
  if (loading_) return;
  if (!customEngine_) {
    if (worker_) worker_->Release(SearchRequest());
    return;
  }
  if (!ComputerToMove() || !OnCalculateMove || halted_) return;
  const std::uint64_t generation = generation_;
  Square oldSq = Square::None, newSq = Square::None;
  OnCalculateMove(*this, oldSq, newSq);
  if (halted_) return;  // the handler changed the game; its move no longer applies
  if (!PlayAnswer(oldSq, newSq, generation) && OnCalculationFailed) OnCalculationFailed(*this, oldSq, newSq);
}

// Runs on the main thread at the end of every worker pass: the worker stays parked only when a stop
// was asked for; otherwise it goes straight into its next pass.
// A hint asked while the pass ran was dropped with it: it is sent again while its game is still on.
void TChessBrd::TurnDone() {
  if (!worker_ || worker_->ParkAfterPass()) return;
  if (hintAsked_ == generation_ && !ComputerToMove() && !customEngine_)
    worker_->Release(HintRequest());
  else
    StartThinking();
}

std::string TChessBrd::SearchCarry() const {
  return worker_ ? worker_->SearchCarry() : std::string();
}

// The worker parks itself once the text is found sound; as after StopThinking, it stays parked until
// the game restarts it (a move, or the computer's sides set).
bool TChessBrd::SetSearchCarry(std::string_view text) {
  if (!worker_ || !worker_->SetSearchCarry(text)) return false;
  RaiseGeneration();
  halted_ = true;
  return true;
}

void TChessBrd::PollCustomEngine() {
  if (customEngine_ && firstPaintDone_ && !halted_ && !loading_ && ComputerToMove()) StartThinking();
}

}  // namespace zelmar
