// The chess board component: one game of chess with the Zelmar, its rules, its record and its events.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/CastleSet.h"
#include "engine/ChessEvents.h"
#include "engine/ChessWorker.h"
#include "engine/MoveRecord.h"
#include "engine/Square.h"
#include "engine/ThreadPriority.h"

namespace zelmar {

// The initial position as 64 characters, rank 8 first.
inline constexpr std::string_view kInitialPosition =
    "rnbqkbnrpppppppp                                PPPPPPPPRNBQKBNR";

// Holds one game: squares, side to move, castling rights, en-passant square, move counter and the
// record of positions. Checks and plays moves, recognises check, mate and the drawn endings, steps
// through the record, reports everything through its events, and owns the computer player's worker.
// Every field is owned by the main thread; the worker sees the game only through its requests' copies.
class TChessBrd {
 public:
  using TNotifyEvent = TBoardNotifyEvent;

  TChessBrd();
  ~TChessBrd();
  TChessBrd(const TChessBrd&) = delete;
  TChessBrd& operator=(const TChessBrd&) = delete;

  // --- Position and properties (board and position text) ---

  // The 64-character position text, rank 8 first, a space for an empty square.
  std::string GetPosition() const;
  std::string Position() const { return GetPosition(); }
  // Replaces the squares by a position text ("init" or "newgame" in any case for the initial one).
  void SetPosition(std::string_view text);
  // The letter on a square; a space when empty, '_' for None or any value off the board.
  char PieceAt(Square sq) const { return OnBoard(sq) ? board_[Ord(sq)] : board_[0]; }
  // 1 for a White piece on the square, 0 for a Black one, -1 for none.
  int PieceColor(Square sq) const;
  // The 64 squares in order, read in place when a request for the worker is made.
  const char* Squares() const { return &board_[1]; }

  bool ZelmarMode() const { return zelmarMode_; }
  void SetZelmarMode(bool value);
  CastleSet CastlingAllowed() const { return castlingAllowed_; }
  void SetCastlingAllowed(CastleSet value);
  bool ComputerPlaysWhite() const { return computerPlaysWhite_; }
  void SetComputerPlaysWhite(bool value);
  bool ComputerPlaysBlack() const { return computerPlaysBlack_; }
  void SetComputerPlaysBlack(bool value);
  bool Thinking() const { return worker_ && worker_->Thinking(); }
  int CurrentMove() const { return currentMove_; }
  bool CustomEngine() const { return customEngine_; }
  void SetCustomEngine(bool value);
  Square EnPassant() const { return enPassant_; }
  void SetEnPassant(Square value);
  int SearchDepth() const { return searchDepth_; }
  void SetSearchDepth(int value);
  bool WhiteToMove() const { return whiteToMove_; }
  void SetWhiteToMove(bool value);
  TThreadPriority ThinkingPriority() const { return thinkingPriority_; }
  void SetThinkingPriority(TThreadPriority value);
  char PromotionPiece() const { return promotionPiece_; }
  void SetPromotionPiece(char value) { promotionPiece_ = value; }
  std::string Version() const { return {}; }

  // The game's new-game call: back to the initial position, then a repaint request.
  void NewGame();
  // Loads the initial position, White to move, move 1, an empty record, no en passant, all rights.
  void ResetToStart();

  // --- Legality ---

  // Whether the side to move may play oldSq -> newSq. No side effects.
  bool IsLegalMove(Square oldSq, Square newSq) const;
  // Whether the White (Black) king would be attacked once the piece on oldSq stands on newSq.
  bool WhiteKingAttackedAfter(Square oldSq, Square newSq) const;
  bool BlackKingAttackedAfter(Square oldSq, Square newSq) const;

  // --- Execution ---

  // Plays a legal move with all its consequences and events; refuses an illegal one unchanged.
  bool PlayMove(Square oldSq, Square newSq);
  // The game's move call: parks the computer player, plays, and restarts it either way.
  bool MakeMove(Square oldSq, Square newSq);

  // --- Game end ---

  // Whether the side to move has at least one legal move.
  bool HasLegalMove() const;
  // Whether neither side has material enough to mate (the no-mating-material finding of a played move).
  bool NoMatingMaterial() const;
  // Whether the current position's placement stood at least twice before in this game.
  bool IsThreefoldRepetition() const;

  // --- Move record ---

  // Makes the recorded position (move, side to move) the current one; refuses one outside the bounds.
  bool GoToMove(int move, bool whiteToMove);
  // One half-move back (the game's take-back call).
  bool MoveBack();
  // One half-move forward again along the recorded line.
  bool MoveForward();
  int HistoryStartMove() const { return historyStartMove_; }
  bool HistoryStartWhiteToMove() const { return historyStartWhiteToMove_; }
  int HistoryEndMove() const { return historyEndMove_; }
  bool HistoryEndWhiteToMove() const { return historyEndWhiteToMove_; }
  // The recorded entry of (move, side to move), or nullptr when none is recorded.
  const MoveInfo* RecordEntry(int move, bool whiteToMove) const { return record_.Find(move, whiteToMove); }

  // --- Computer player hand-off ---

  // Parks the worker (unless a custom engine or a game-end handler is running) and sets Halted.
  void StopThinking();
  // Lets the worker run again, or asks a custom move source for the computer's move.
  void StartThinking();
  // Tells the worker that the player's move oldSq -> newSq is certain (it may search ahead); nothing
  // else happens until MakeMove plays it. Ignored for an illegal move, one the computer does not
  // answer, or without the worker.
  void AnticipateMove(Square oldSq, Square newSq);
  // Names the game as the worker's requests saw it: raised by every change of the game under the
  // worker (a move, a take-back, a new or edited position, a mode or level change, a restored carried
  // state). The worker's answers carry their request's generation and count only while it is current.
  std::uint64_t Generation() const { return generation_; }
  // Plays the computer's move that answers a request of `generation`, as PlayMove does; during the
  // move's events AnswerInPlay() names that generation, so a listener can tell the computer's answer
  // from a move of its own and judge whether the answer still belongs to its game.
  bool PlayAnswer(Square oldSq, Square newSq, std::uint64_t generation);
  // The generation of the answer being played now, empty outside PlayAnswer.
  std::optional<std::uint64_t> AnswerInPlay() const { return answerInPlay_; }
  // The request for the computer's move in the current position (a kStop request when the computer is
  // not to move).
  TWorkerRequest SearchRequest() const;
  // Asks the worker for the move it would play in the player's place, searched as deep as the level but
  // at most kHighestHintLevel, from a state of its own so that the computer's moves stay as they were.
  // The answer comes through OnHint while the game is still the one asked in; false, asking nothing,
  // without the worker, with a custom move source, while the computer is to move or loading, or when
  // the player has no legal move.
  bool AskHint();
  // The request AskHint sends (for tests and tools).
  TWorkerRequest HintRequest() const;
  // On the main thread inside the worker's call: raises OnHint for a hint whose generation is still the
  // current one; false, raising nothing, for a stale one.
  bool DeliverHint(const TWorkerAnswer& answer);
  // End of a worker pass, run on the main thread: parks the worker and restarts it unless stopped.
  void TurnDone();
  // The half-second poll of a custom move source; the owner calls it while CustomEngine is set.
  void PollCustomEngine();
  // Gives the board its worker (at construction outside design mode); the board owns it from then on.
  void AttachWorker(std::unique_ptr<TChessWorker> worker);
  // Runs the worker's pending synchronous calls (its delivered move, the end of its pass); the main
  // thread's loop calls this. Returns how many ran.
  int RunPendingCalls() { return worker_ ? worker_->RunPendingCalls() : 0; }
  // Waits at most the given time for the worker to post a synchronous call.
  void WaitForWorkerCalls(std::chrono::milliseconds timeout) {
    if (worker_) worker_->WaitForCalls(timeout);
  }
  // Whether the computer moves the side to move.
  bool ComputerToMove() const;
  // The state the computer player's next search starts from, as text: space-separated tokens of at
  // most 16 characters (so that it can be wrapped inside a PGN comment); empty without a worker.
  std::string SearchCarry() const;
  // Makes `text` (from SearchCarry) the state the next search starts from, so that a restored game's
  // replies are, move for move and node for node, those of the uninterrupted game. Parks the worker
  // first; refuses a malformed text and changes nothing then.
  bool SetSearchCarry(std::string_view text);
  bool Halted() const { return halted_; }
  bool InGameEndEvent() const { return inGameEndEvent_; }
  bool FirstPaintDone() const { return firstPaintDone_; }

  // --- Loading and repaint ---

  // While loading (stored properties being applied) repaint requests and StartThinking do nothing.
  void BeginLoading() { loading_ = true; }
  void EndLoading() { loading_ = false; }
  bool Loading() const { return loading_; }
  // A repaint request: OnPaint; the first one after loading also starts the computer player.
  void Repaint();

  // --- Events, raised only when assigned ---
  TMoveEvent OnLegalMove, OnCheck, OnMate, OnStaleMate, OnCastle, OnCalculationFailed;
  TCaptureEvent OnCapture;
  TOneSquareEvent OnIllegalMove;
  TPromotionEvent OnPromotion;
  TThinkEvent OnCalculateMove;
  THintEvent OnHint;
  TNotifyEvent OnDraw, OnNoMatingMaterial, OnThreefoldPosition, OnPaint;

 private:
  using Board = std::array<char, 66>;

  // Movement rules of the pieces (colour and own-piece tests already done).
  bool PawnMoveOk(Square oldSq, Square newSq) const;
  bool KnightMoveOk(Square oldSq, Square newSq) const;
  bool SlideOk(Square oldSq, Square newSq, bool diagonal) const;
  bool BishopMoveOk(Square oldSq, Square newSq) const { return SlideOk(oldSq, newSq, true); }
  bool RookMoveOk(Square oldSq, Square newSq) const { return SlideOk(oldSq, newSq, false); }
  bool QueenMoveOk(Square oldSq, Square newSq) const;
  bool KingMoveOk(Square oldSq, Square newSq) const;
  bool CastlingOk(Square oldSq, Square newSq) const;
  // Whether the king of one colour is attacked in the copy of the board after the move.
  bool KingAttackedAfter(Square oldSq, Square newSq, bool white) const;

  // Parks the worker unless a custom engine plays or a game-end handler runs inside the worker's call.
  void ParkWorker();
  // Stops and throws away a search the worker started ahead of time.
  void DiscardAhead();
  // The game changed under the worker: its answers to earlier requests no longer count.
  void RaiseGeneration() { ++generation_; }
  // Steps of PlayMove after the piece has moved.
  void ApplyPromotion(Square oldSq, Square newSq);
  void ApplyEnPassantCapture(Square oldSq, Square newSq, Square previousEnPassant);
  void ApplyCastlingRook(Square oldSq, Square newSq);
  void UpdateCastlingRights(Square oldSq, Square newSq, bool capture);
  // The end-of-game tests and events that close every played move.
  void RunGameEndTests(Square oldSq, Square newSq, bool givesCheck);
  // Writes the current position into the record entry of (CurrentMove, side to move).
  MoveInfo& RecordCurrentPosition();
  // Moves the record's end bound to the current position and empties what lies at or beyond it.
  void MoveEndBoundHere();

  Board board_{};
  bool whiteToMove_ = true;
  CastleSet castlingAllowed_ = CastleSet::All();
  Square enPassant_ = Square::None;
  int currentMove_ = 1;
  // Set without parking the worker: a move it found under the mode or level changed since is thrown
  // away, and the position searched again.
  bool zelmarMode_ = false;
  char promotionPiece_ = 'q';

  TMoveRecord record_;
  int historyStartMove_ = 1;
  bool historyStartWhiteToMove_ = true;
  int historyEndMove_ = 1;
  bool historyEndWhiteToMove_ = true;

  bool computerPlaysWhite_ = false;
  bool computerPlaysBlack_ = false;
  int searchDepth_ = 1;
  TThreadPriority thinkingPriority_ = tpNormal;
  bool customEngine_ = false;
  bool halted_ = false;
  // The generation a hint was asked in and has not yet been answered (a pass that ends before the
  // worker took the request sends it again).
  std::optional<std::uint64_t> hintAsked_;
  bool inGameEndEvent_ = false;
  bool firstPaintDone_ = false;
  bool loading_ = false;
  std::uint64_t generation_ = 0;
  std::optional<std::uint64_t> answerInPlay_;
  std::unique_ptr<TChessWorker> worker_;
};

}  // namespace zelmar
