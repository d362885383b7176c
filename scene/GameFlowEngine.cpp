// The engine side of the game flow: a new game, the hand-over of the player's move, the engine's events,
// take-back and replay.
//
// Parking the computer player runs the calls it has posted, so an answer it had found may be played by the
// engine inside any call that parks it (a new game, a step through the record, a change of the computer's
// sides). Such an answer belongs to a game the scene has left. Every call of the flow into the engine
// leaves the generation it starts from, and the engine names the generation of each answer it plays: one
// comparison tells a stale answer, which the scene neither shows nor takes the events of. Where the engine
// keeps such a move (a step through the record), the flow puts the engine back where it stood and keeps
// the stale continuation out of reach.
#include <algorithm>

#include "engine/ChessBrd.h"
#include "engine/notation/San.h"
#include "scene/GameFlow.h"
#include "scene/SceneTexts.h"
#include "scene/SquareMarks.h"

namespace zelmar::scene {

// Takes over the engine's ten events, its hint and the clock's firing.
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
  engine_.OnHint = [this](TChessBrd&, Square o, Square n, char piece) {
    ChessEngineHint(Ord(o), Ord(n), piece);
  };
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
  engine_.OnHint = nullptr;
  clock_.OnTimer = nullptr;
}

// Runs one of the flow's own calls into the engine, leaving the generation it starts from: an answer
// to a request made before the call is stale. Every engine call that starts a search stops the worker
// first, which raises the generation, so the searches the call starts answer in a later one. A call
// that changed nothing under the worker leaves its answers current.
void TGameFlow::InEngine(const std::function<void()>& call) {
  const std::uint64_t before = leftGeneration_, start = engine_.Generation();
  leftGeneration_ = std::max(leftGeneration_, start);
  call();
  if (engine_.Generation() == start) leftGeneration_ = before;
}

// Whether the events arriving belong to an answer of a game the flow has left.
bool TGameFlow::StaleEvent() const {
  const std::optional<std::uint64_t> answer = engine_.AnswerInPlay();
  return answer && *answer <= leftGeneration_;
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
  staleTailPly_.reset();
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
  bool played = false;
  InEngine([&] { played = engine_.MakeMove(SquareOf(state_.MoveFrom), SquareOf(state_.MoveTo)); });
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

// The half-moves played before the engine's position.
int TGameFlow::EnginePly() const {
  return (engine_.CurrentMove() - 1) * 2 + (engine_.WhiteToMove() ? 0 : 1);
}

// The engine's record goes on beyond its position only with a stale answer.
void TGameFlow::MarkStaleTail() {
  staleTailPly_ = EnginePly();
}

std::optional<int> TGameFlow::StaleTailPly() const {
  return staleTailPly_;
}

// Whether the engine stands where the record goes on only with a stale answer.
bool TGameFlow::AtStaleTail() const {
  return staleTailPly_ == EnginePly();
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
  const int stale = counts_.StaleReplies;
  InEngine([&] { engine_.MoveBack(); });
  if (counts_.StaleReplies != stale) {
    // The computer's answer to the position shown was played on the way: undo it and step again.
    InEngine([&] {
      engine_.GoToMove(move, whiteToMove);
      MarkStaleTail();
      engine_.MoveBack();
    });
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
  const int stale = counts_.StaleReplies;
  if (!AtStaleTail()) InEngine([&] { engine_.MoveForward(); });
  if (counts_.StaleReplies != stale) {
    // The answer was played on the way; all that lies beyond this position is that answer.
    InEngine([&] { engine_.GoToMove(move, whiteToMove); });
    MarkStaleTail();
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
  // 0. An answer of a game the flow has left is dropped and counted.
  if (StaleEvent()) {
    ++counts_.StaleReplies;
    return;
  }
  staleTailPly_.reset();
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
  DropStaleHint();
  state_.Marks = FindSquareMarks(engine_, state_);
}

void TGameFlow::AskHint() {
  const bool playing = state_.MenuKind == TMenuKind::NoMenu && state_.GameState == TGameState::HumanToMove &&
                       !state_.Animating;
  if (!playing || state_.HintAsked || !engine_.AskHint()) return;
  state_.HintAsked = true;
  state_.HintFrom = state_.HintTo = 0;
  state_.HintSan.clear();
  hintGeneration_ = engine_.Generation();
}

// The engine hands a hint over only in the game it was asked in; one that comes while a call of the flow
// parks the computer is dropped with that call's change.
void TGameFlow::ChessEngineHint(int oldSq, int newSq, char promotion) {
  if (!state_.HintAsked || engine_.Generation() != hintGeneration_) return;
  state_.HintFrom = oldSq;
  state_.HintTo = newSq;
  state_.HintSan = MoveToSan(engine_, TGameMove{SquareOf(oldSq), SquareOf(newSq), promotion, {}});
}

// The hint belongs to the position it was asked in: any change of the game (the player's move, a
// take-back, a new game, a mode or level change) takes it away, asked or shown.
void TGameFlow::DropStaleHint() {
  if (!state_.HintAsked || engine_.Generation() == hintGeneration_) return;
  state_.HintAsked = false;
  state_.HintFrom = state_.HintTo = 0;
  state_.HintSan.clear();
}

// The game is over: the clock stops and the computer leaves both sides.
void TGameFlow::EndGame() {
  ++changes_;
  state_.GameState = TGameState::GameOver;
  clock_.SetEnabled(false);
  SetComputerSides(false, false);
}

}  // namespace zelmar::scene
