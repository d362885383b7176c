#include "MonkeyChecks.h"

#include <sstream>

#include "engine/ChessBrd.h"
#include "engine/notation/Pgn.h"
#include "launcher/GameStore.h"
#include "scene/KeptGameFacts.h"
#include "scene/SceneBoard.h"
#include "scene/SceneTexts.h"
#include "scene/SquareMarks.h"

namespace zelmar::scene::monkey {

namespace {

const char* NameOf(TGameState state) {
  switch (state) {
    case TGameState::HumanToMove:
      return "HumanToMove";
    case TGameState::ComputerThinking:
      return "ComputerThinking";
    case TGameState::GameOver:
      return "GameOver";
    case TGameState::ChoosePromotion:
      return "ChoosePromotion";
  }
  return "?";
}

// Whether a menu may lie over a screen: the title screen's three menus, the help screen's buttons, the
// game screen bare or under the in-game window.
bool MenuFitsScreen(TSceneMode mode, TMenuKind menu) {
  switch (mode) {
    case TSceneMode::TitleScreen:
      return menu == TMenuKind::MainMenu || menu == TMenuKind::OptionsMenu || menu == TMenuKind::QuitConfirm;
    case TSceneMode::HelpScreen:
      return menu == TMenuKind::HelpButtons;
    case TSceneMode::GameScreen:
      return menu == TMenuKind::NoMenu || menu == TMenuKind::GameDialog;
    case TSceneMode::NotStarted:
      return true;
  }
  return false;
}

// The one game of a kept file's text with its position shown, or why there is none.
std::optional<TGameRecord> OneGame(const std::string& text, std::string& why) {
  const std::vector<TPgnGame> games = ReadPgn(text);
  if (games.size() != 1 || !games.front().Game) {
    why = games.size() != 1 ? std::to_string(games.size()) + " games" : games.front().Error;
    return std::nullopt;
  }
  TGameRecord game = *games.front().Game;
  if (const auto shown = ReadKeptFacts(game).ShownPly) game.ShownPly = *shown;
  return game;
}

// Where two records of one game differ, or empty.
std::string Difference(const TGameRecord& a, const TGameRecord& b) {
  if (a.Zelmar != b.Zelmar || a.End != b.End || a.Result != b.Result) return "mode, end or result";
  if (a.ShownPly != b.ShownPly) return "position shown";
  if (a.Moves.size() != b.Moves.size()) return "number of moves";
  for (std::size_t i = 0; i < a.Moves.size(); ++i) {
    const TGameMove &x = a.Moves[i], &y = b.Moves[i];
    if (x.From != y.From || x.To != y.To || x.Promotion != y.Promotion)
      return "move " + std::to_string(i + 1);
  }
  const TKeptFacts f = ReadKeptFacts(a), g = ReadKeptFacts(b);
  if (f.Level != g.Level || f.PlayerSide != g.PlayerSide || f.WhiteSeconds != g.WhiteSeconds ||
      f.BlackSeconds != g.BlackSeconds || f.GameId != g.GameId || f.Archived != g.Archived ||
      f.PromotionFrom != g.PromotionFrom || f.PromotionTo != g.PromotionTo || f.SearchCarry != g.SearchCarry)
    return "the facts kept in tags";
  return {};
}

}  // namespace

TMonkeyChecks::TMonkeyChecks(TSceneForm& form) : form_(form), state_(form.State()) {
  Remember();
}

int TMonkeyChecks::HalfMove() const {
  return form_.ChessEngine.CurrentMove() * 2 + (form_.ChessEngine.WhiteToMove() ? 0 : 1);
}

void TMonkeyChecks::Remember() {
  gameState_ = state_.GameState;
  menuKind_ = state_.MenuKind;
  sceneMode_ = state_.SceneMode;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
  counts_ = form_.Flow().Counts();
  halfMove_ = HalfMove();
}

// The moves of the game's states within one tick (a tick may chain two: the player's move handed over
// and the engine finding mate at once). A new game may come from anywhere; a take-back or replay leaves
// the player to move or at the recorded end.
std::string TMonkeyChecks::CheckTransition(TGameState from, TGameState to, bool newGame, bool stepped) const {
  if (from == to || newGame) return {};
  bool allowed = false;
  if (stepped) {
    allowed = (from == TGameState::HumanToMove || from == TGameState::GameOver) &&
              (to == TGameState::HumanToMove || to == TGameState::GameOver);
  } else {
    switch (from) {
      case TGameState::HumanToMove:
        allowed = true;  // to ComputerThinking, ChoosePromotion or GameOver
        break;
      case TGameState::ChoosePromotion:
        allowed = to == TGameState::ComputerThinking || to == TGameState::GameOver;
        break;
      case TGameState::ComputerThinking:
        allowed = to == TGameState::HumanToMove || to == TGameState::GameOver;
        break;
      case TGameState::GameOver:
        allowed = false;  // a finished game stays finished until a new game, take-back or replay
        break;
    }
  }
  if (allowed) return {};
  return std::string("GameState went from ") + NameOf(from) + " to " + NameOf(to) +
         (stepped ? " by a take-back or replay" : "");
}

// A game that has just ended, by its result text in either language.
void TMonkeyChecks::CountEnd() {
  const auto is = [&](TResult result) {
    return state_.ResultText == ResultTextOf(result, 1) || state_.ResultText == ResultTextOf(result, 2);
  };
  if (is(TResult::Mate)) ++Mates;
  if (is(TResult::StaleMate)) ++StaleMates;
  if (is(TResult::NoMatingMaterial)) ++NoMaterial;
  if (is(TResult::Threefold)) ++Threefold;
}

// 1. Values and transitions. 2. Menus against screens. 3. Clocks (they move only in their poll). 4. The
// computer's answer. 5. The cursor.
std::string TMonkeyChecks::AfterTick() {
  const TFlowCounts& counts = form_.Flow().Counts();
  const bool newGame = counts.NewGames != counts_.NewGames;
  const bool resumed = counts.Resumes != counts_.Resumes;
  const bool stepped = counts.StepsBack != counts_.StepsBack || counts.StepsForward != counts_.StepsForward;
  std::string fault = CheckTransition(gameState_, state_.GameState, newGame || resumed, stepped);
  if (fault.empty() && !MenuFitsScreen(state_.SceneMode, state_.MenuKind)) {
    fault = "MenuKind " + std::to_string(static_cast<int>(state_.MenuKind)) + " over SceneMode " +
            std::to_string(static_cast<int>(state_.SceneMode));
  }
  const TSceneBoard& board = state_.Board;
  if (fault.empty()) {
    if (newGame && !resumed && (board.WhiteSeconds != 0 || board.BlackSeconds != 0)) {
      fault = "a new game kept its clocks";
    } else if (!newGame && !resumed && (board.WhiteSeconds != white_ || board.BlackSeconds != black_)) {
      fault = "the clocks changed outside their poll";
    }
  }
  // The computer's turn in a running game must end in a move.
  const TChessBrd& engine = form_.ChessEngine;
  const bool computerTurn = engine.ComputerToMove() && state_.GameState != TGameState::GameOver;
  if (!computerTurn || newGame || resumed || HalfMove() != halfMove_) {
    waitingTicks_ = 0;
  } else if (++waitingTicks_ > kAnswerDeadlineTicks && fault.empty()) {
    fault = "the computer did not answer within " + std::to_string(kAnswerDeadlineTicks) + " ticks";
  }
  if (fault.empty() && (state_.CursorX < 0 || state_.CursorX > kLogicalWidth || state_.CursorY < 0 ||
                        state_.CursorY > kLogicalHeight)) {
    fault = "the cursor left the screen: " + std::to_string(state_.CursorX) + ", " +
            std::to_string(state_.CursorY);
  }
  // The move marks shown are those of the engine's position and the selection as the tick left them.
  if (fault.empty() && !(state_.Marks == FindSquareMarks(engine, state_))) fault = "the move marks are stale";
  // A hint shown is a move the player may play in the engine's position.
  if (fault.empty() && state_.HintFrom != 0 &&
      !engine.IsLegalMove(SquareOf(state_.HintFrom), SquareOf(state_.HintTo)))
    fault = "the hint " + state_.HintSan + " is not a legal move of the position";
  if (state_.GameState == TGameState::GameOver && gameState_ != TGameState::GameOver && !stepped) CountEnd();
  if (state_.MenuKind != menuKind_ && state_.MenuKind != TMenuKind::NoMenu) ++MenuVisits;
  Remember();
  return fault;
}

// Nothing in flight: no glide, no promotion being chosen, no computer reply to come.
std::string TMonkeyChecks::BoardInStep() const {
  const TChessBrd& engine = form_.ChessEngine;
  if (state_.Animating || state_.GameState == TGameState::ChoosePromotion) return {};
  if (engine.ComputerToMove() && state_.GameState != TGameState::GameOver) return {};
  TSceneBoard expected;
  const std::string position = engine.Position();
  expected.LoadPosition(position);
  if (expected.Squares == state_.Board.Squares) return {};
  std::ostringstream out;
  out << "the scene's board differs from the engine's position \"" << position << "\"; the scene shows \"";
  for (int square = 1; square <= 64; ++square) {
    static const char* kLetters = "kqrbnp PNBRQK";
    out << kLetters[state_.Board.At(square) + 6];
  }
  out << "\"";
  return out.str();
}

void TMonkeyChecks::BeforeClock() {
  clockSide_ = state_.Board.SideToMove;
  clockStopped_ = state_.Animating || state_.GameState == TGameState::GameOver;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
}

std::string TMonkeyChecks::AfterClock() {
  const int white = state_.Board.WhiteSeconds - white_, black = state_.Board.BlackSeconds - black_;
  white_ = state_.Board.WhiteSeconds;
  black_ = state_.Board.BlackSeconds;
  if (white < 0 || black < 0) return "a clock ran backwards";
  if (white == 0 && black == 0) return {};
  if (clockStopped_) return "a clock ran during a glide or after the end of the game";
  if ((white > 0 && (clockSide_ != 1 || black != 0)) || (black > 0 && (clockSide_ != -1 || white != 0)))
    return "a second went to the side not named by SideToMove";
  return {};
}

std::string TMonkeyChecks::KeptGameReadsBack(const std::filesystem::path& folder) {
  TGameKeeper& keeper = form_.Keeper();
  if (!keeper.Keeping() || keeper.Text().empty() || keeper.Text() == keptText_) return {};
  keptText_ = keeper.Text();
  keeper.Flush();
  ++KeptWrites;
  std::string text, why;
  if (TGameStore(folder).ReadCurrent(text, &why) != TReadStatus::Read)
    return "the kept game's file does not read: " + why;
  if (text != keptText_) return "the kept game's file is not the text last written";
  const std::optional<TGameRecord> back = OneGame(text, why);
  if (!back) return "the kept game's file holds no one game: " + why;
  if (const std::string d = Difference(*back, keeper.Record()); !d.empty())
    return "the kept game's file reads back with another " + d;
  if (!keeper.Holding()) return {};
  TChessBrd board;
  if (!PlayRecord(*back, board, &why)) return "the kept game does not replay: " + why;
  if (board.Position() != form_.ChessEngine.Position())
    return "the kept game replays to \"" + board.Position() + "\", the engine shows \"" +
           form_.ChessEngine.Position() + "\"";
  return {};
}

std::string TMonkeyChecks::ContinueMatchesFile(const std::filesystem::path& folder) {
  if (state_.SceneMode != TSceneMode::TitleScreen || state_.MenuKind != TMenuKind::MainMenu) return {};
  form_.Keeper().Flush();
  std::string text, why;
  const TReadStatus status = TGameStore(folder).ReadCurrent(text, &why);
  if (status == TReadStatus::Failed) return "the kept game's file does not read: " + why;
  if (status == TReadStatus::Absent) text.clear();
  if (!offerUnfinished_ || text != offerText_) {
    const std::optional<TGameRecord> game = text.empty() ? std::nullopt : OneGame(text, why);
    offerText_ = text;
    offerUnfinished_ = game && game->End == TGameEnd::None;
  }
  if (state_.ContinueOffered == *offerUnfinished_) return {};
  return state_.ContinueOffered ? "\"Continue\" offered without an unfinished game kept"
                                : "an unfinished game is kept but \"Continue\" is not offered";
}

// A computer move the flow animates must be the one the loop has just let through: a reply searched for
// a position the game has left is never shown.
std::string TMonkeyChecks::MovePlayed(int oldSq, int newSq, bool letThrough) {
  const TSceneBoard& board = state_.Board;
  const bool computerGlide = state_.Animating && state_.MoveFrom == oldSq && state_.MoveTo == newSq &&
                             state_.MovingPiece != 0 && (state_.MovingPiece > 0 ? 1 : -1) != board.HumanSide;
  if (computerGlide && !letThrough) {
    return "a stale computer reply " + std::to_string(oldSq) + "-" + std::to_string(newSq) + " was shown";
  }
  return {};
}

}  // namespace zelmar::scene::monkey
