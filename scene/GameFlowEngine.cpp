// The engine side of the game flow: a new game, the hand-over of the player's move, the engine's events,
// take-back and replay.
//
// Parking the computer player runs the calls it has posted, so a reply it had found may be played by the
// engine inside any call that parks it (a new game, a step through the record, a change of the computer's
// sides). Such a reply belongs to a position the scene has left: every move the engine plays while the
// flow is inside one of its own engine calls is stale, unless it is the player's move being handed over,
// and the scene neither shows it nor takes its events. Where the engine keeps such a move (a step through
// the record), the flow puts the engine back where it stood and keeps the stale continuation out of reach.
#include "engine/ChessBrd.h"
#include "scene/GameFlow.h"
#include "scene/SceneTexts.h"
#include "scene/SquareMarks.h"

namespace zelmar::scene {

// Takes over the engine's ten events and the clock's firing.
TGameFlow::TGameFlow(TSceneState& state, TChessBrd& engine, TSceneSounds& sounds, TIntervalTimer& clock)
    : state_(state), engine_(engine), sounds_(sounds), clock_(clock) {
  engine_.OnLegalMove = [this](TChessBrd&, Square o, Square n) { ChessEngineLegalMove(Ord(o), Ord(n)); };
  engine_.OnPromotion = [this](TChessBrd&, Square o, Square n, char& piece) {
    ChessEnginePromotion(Ord(o), Ord(n), piece);
  };
  engine_.OnCapture = [this](TChessBrd&, Square, Square, char) { ChessEngineCapture(); };
  engine_.OnCheck = [this](TChessBrd&, Square, Square) { ChessEngineCheck(); };
  engine_.OnMate = [this](TChessBrd&, Square, Square) { ChessEngineMate(); };
  engine_.OnStaleMate = [this](TChessBrd&, Square, Square) { ChessEngineStaleMate(); };
  engine_.OnNoMatingMaterial = [this](TChessBrd&) { ChessEngineNoMatingMaterial(); };
  engine_.OnThreefoldPosition = [this](TChessBrd&) { ChessEngineThreefoldPosition(); };
  engine_.OnDraw = [this](TChessBrd&) { ChessEngineDraw(); };
  engine_.OnCastle = [this](TChessBrd&, Square, Square) { ChessEngineCastle(); };
  clock_.OnTimer = [this] { Timer1Timer(); };
}

// Hands the events back, so an engine or clock that outlives the flow never calls into it.
TGameFlow::~TGameFlow() {
  engine_.OnLegalMove = nullptr;
  engine_.OnPromotion = nullptr;
  engine_.OnCapture = nullptr;
  engine_.OnCheck = nullptr;
  engine_.OnMate = nullptr;
  engine_.OnStaleMate = nullptr;
  engine_.OnNoMatingMaterial = nullptr;
  engine_.OnThreefoldPosition = nullptr;
  engine_.OnDraw = nullptr;
  engine_.OnCastle = nullptr;
  clock_.OnTimer = nullptr;
}

// Runs one of the flow's own calls into the engine; moves played meanwhile are judged stale.
void TGameFlow::InEngine(const std::function<void()>& call) {
  struct TDepth {
    TGameFlow& Flow;
    ~TDepth() {
      if (--Flow.engineCalls_ == 0) Flow.staleMove_ = false;
    }
  } depth{*this};
  ++engineCalls_;
  call();
}

// A new game from the settings. A move still gliding from the game before is dropped, not finished, and
// a reply the computer had found for it is never shown.
void TGameFlow::StartNewGame() {
  const GameOptions& options = state_.Options;
  TSceneBoard& board = state_.Board;
  ++counts_.NewGames;
  ++changes_;
  playerMoved_ = false;
  state_.GameZelmar = options.Mode != 1;
  state_.Animating = false;
  state_.PromotionHover = 0;
  staleTail_ = false;
  // 1-5. The mode, the scene's board and sides, the depth, the engine's new game.
  InEngine([&] { engine_.SetZelmarMode(options.Mode != 1); });
  board.LoadStart();
  board.SideToMove = options.Army == 1 ? 1 : -1;
  board.HumanSide = board.SideToMove;
  InEngine([&] {
    engine_.SetSearchDepth(options.Depth);
    engine_.NewGame();
  });
  // 6. The computer takes the other colour; as White it starts its search at once.
  SetComputerSides(board.HumanSide == -1, board.HumanSide == 1);
  // 7-10. Board offsets, selection, clocks, state.
  board.OffsetX = {0, 13};
  board.OffsetY = {0, 73};
  state_.SelectedSquare = 0;
  state_.PanelPiece = 0;
  board.WhiteSeconds = 0;
  board.BlackSeconds = 0;
  state_.GameState = TGameState::HumanToMove;
  clock_.SetEnabled(true);
  state_.ResultText.clear();
}

// Gives the computer its sides. The side to move is taken from it first and given back last, so that no
// setter in between lets the computer player start a search under a mix of old and new sides (whose move
// the next setter's parking could then play).
void TGameFlow::SetComputerSides(bool white, bool black) {
  InEngine([&] {
    if (engine_.WhiteToMove()) {
      engine_.SetComputerPlaysWhite(false);
      engine_.SetComputerPlaysBlack(black);
      if (white) engine_.SetComputerPlaysWhite(true);
    } else {
      engine_.SetComputerPlaysBlack(false);
      engine_.SetComputerPlaysWhite(white);
      if (black) engine_.SetComputerPlaysBlack(true);
    }
  });
}

// The player's move goes to the engine, which plays it, raises its events and starts the computer's
// search. A refused move leaves the scene showing the engine's position with the player to move.
bool TGameFlow::HandOverPlayerMove() {
  ownMoveFrom_ = state_.MoveFrom;
  ownMoveTo_ = state_.MoveTo;
  bool played = false;
  InEngine([&] { played = engine_.MakeMove(SquareOf(ownMoveFrom_), SquareOf(ownMoveTo_)); });
  ownMoveFrom_ = ownMoveTo_ = 0;
  if (played) {
    playerMoved_ = true;
    return true;
  }
  LoadEngineBoard();
  state_.GameState = TGameState::HumanToMove;
  return false;
}

// The scene takes the engine's position; the player takes the side to move, the computer the other.
void TGameFlow::LoadEngineBoard() {
  TSceneBoard& board = state_.Board;
  board.LoadPosition(engine_.Position());
  const bool whiteToMove = engine_.WhiteToMove();
  board.SideToMove = whiteToMove ? 1 : -1;
  board.HumanSide = board.SideToMove;
  SetComputerSides(!whiteToMove, whiteToMove);
}

void TGameFlow::MarkStaleTail(int move, bool whiteToMove) {
  staleTail_ = true;
  staleTailMove_ = move;
  staleTailWhite_ = whiteToMove;
}

std::optional<int> TGameFlow::StaleTailPly() const {
  if (!staleTail_) return std::nullopt;
  return (staleTailMove_ - 1) * 2 + (staleTailWhite_ ? 0 : 1);
}

// Whether the engine stands where the record goes on only with a stale reply.
bool TGameFlow::AtStaleTail() const {
  return staleTail_ && engine_.CurrentMove() == staleTailMove_ && engine_.WhiteToMove() == staleTailWhite_;
}

// Takes back one half-move (tool button 7, Left arrow) while nothing glides and the player is to move or
// the game is over; the player then moves the side to move.
void TGameFlow::StepBack() {
  if (state_.Animating) return;
  if (state_.GameState != TGameState::HumanToMove && state_.GameState != TGameState::GameOver) return;
  ++counts_.StepsBack;
  ++changes_;
  // 1. The engine steps back; its refusal at the start of the game is not looked at.
  const int move = engine_.CurrentMove();
  const bool whiteToMove = engine_.WhiteToMove();
  const int stale = staleMoves_;
  InEngine([&] { engine_.MoveBack(); });
  if (staleMoves_ != stale) {
    // The computer's reply to the position shown was played on the way: undo it and step again.
    InEngine([&] {
      engine_.GoToMove(move, whiteToMove);
      engine_.MoveBack();
    });
    MarkStaleTail(move, whiteToMove);
  }
  // 2-5. The scene follows; the player takes the side to move.
  LoadEngineBoard();
  state_.GameState = TGameState::HumanToMove;
}

// Replays one half-move of the record (tool button 8, Right arrow) under the same conditions as
// StepBack; at the recorded end of a finished game the result shows again.
void TGameFlow::StepForward() {
  if (state_.Animating) return;
  if (state_.GameState != TGameState::HumanToMove && state_.GameState != TGameState::GameOver) return;
  if (engine_.HistoryEndMove() < engine_.CurrentMove()) return;
  ++counts_.StepsForward;
  ++changes_;
  // 1. The engine steps forward, never into a stale reply.
  const int move = engine_.CurrentMove();
  const bool whiteToMove = engine_.WhiteToMove();
  const int stale = staleMoves_;
  if (!AtStaleTail()) InEngine([&] { engine_.MoveForward(); });
  if (staleMoves_ != stale) {
    // The reply was played on the way; all that lies beyond this position is that reply.
    InEngine([&] { engine_.GoToMove(move, whiteToMove); });
    MarkStaleTail(move, whiteToMove);
  }
  // 2. The scene follows; the result only at the very end of the record.
  LoadEngineBoard();
  const bool atEnd = engine_.CurrentMove() == engine_.HistoryEndMove() &&
                     engine_.WhiteToMove() == engine_.HistoryEndWhiteToMove();
  state_.GameState = atEnd && !state_.ResultText.empty() ? TGameState::GameOver : TGameState::HumanToMove;
}

// A move the engine has played. The player's own move is already on the scene's board; the computer's
// is taken off its square and glides. A new move also ends the result of a game taken back.
void TGameFlow::ChessEngineLegalMove(int oldSq, int newSq) {
  // 0. Inside the flow's own calls only the player's move being handed over belongs to this game.
  const bool ownMove = ownMoveFrom_ != 0 && oldSq == ownMoveFrom_ && newSq == ownMoveTo_;
  staleMove_ = engineCalls_ > 0 && !ownMove;
  if (staleMove_) {
    ++staleMoves_;
    ++counts_.StaleReplies;
    return;
  }
  staleTail_ = false;
  ++changes_;
  state_.ResultText.clear();
  TSceneBoard& board = state_.Board;
  // 1. White's first move made by the computer while the scene was set up for the player's Black.
  if (engine_.CurrentMove() == 1 && board.SideToMove == -1) board.SideToMove = 1;
  // 2. The player's own move.
  if (board.SideToMove == board.HumanSide) return;
  // 3. The computer's move.
  state_.MoveTo = newSq;
  state_.MovingPiece = state_.PanelPiece = board.At(oldSq);
  board.Put(oldSq, 0);
  StartAnimation(oldSq, newSq);
  state_.MoveFrom = oldSq;
  state_.SelectedSquare = 0;
}

// The player's pawn becomes the piece chosen; the computer's always a queen.
void TGameFlow::ChessEnginePromotion(int, int, char& newPiece) {
  if (StaleEvent()) return;
  const TSceneBoard& board = state_.Board;
  newPiece = board.SideToMove == board.HumanSide ? board.PromotionLetter : 'q';
}

void TGameFlow::ChessEngineCapture() {
  if (!StaleEvent()) sounds_.PlaySound(TSoundClip::Capture);
}

void TGameFlow::ChessEngineCheck() {
  if (!StaleEvent()) sounds_.PlaySound(TSoundClip::Check);
}

void TGameFlow::ChessEngineMate() {
  if (StaleEvent()) return;
  sounds_.PlaySound(TSoundClip::Check);
  state_.ResultText = ResultTextOf(TResult::Mate, state_.Options.Lang);
  EndGame();
}

void TGameFlow::ChessEngineStaleMate() {
  if (!StaleEvent()) state_.ResultText = ResultTextOf(TResult::StaleMate, state_.Options.Lang);
}

void TGameFlow::ChessEngineNoMatingMaterial() {
  if (!StaleEvent()) state_.ResultText = ResultTextOf(TResult::NoMatingMaterial, state_.Options.Lang);
}

void TGameFlow::ChessEngineThreefoldPosition() {
  if (!StaleEvent()) state_.ResultText = ResultTextOf(TResult::Threefold, state_.Options.Lang);
}

// Every drawn finding ends in this one event.
void TGameFlow::ChessEngineDraw() {
  if (!StaleEvent()) EndGame();
}

// The rook's jump is shown when the king arrives.
void TGameFlow::ChessEngineCastle() {}

void TGameFlow::UpdateMarks() {
  state_.Marks = FindSquareMarks(engine_, state_);
}

// The game is over: the clock stops and the computer leaves both sides.
void TGameFlow::EndGame() {
  ++changes_;
  state_.GameState = TGameState::GameOver;
  clock_.SetEnabled(false);
  SetComputerSides(false, false);
}

}  // namespace zelmar::scene
